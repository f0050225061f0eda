#include "update_test_server_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdlib>

UpdateTestServer::UpdateTestServer() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  char value[32] = "";
  if (GetEnvironmentVariableA("SNAPVANE_TEST_SERVER_PORT", value, sizeof value) > 0) {
    port_ = std::atoi(value);
  }
}

UpdateTestServer::~UpdateTestServer() { WSACleanup(); }

bool UpdateTestServer::Exchange(const std::string& request, std::string* responseBody) {
  if (port_ <= 0) return false;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port_));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  for (std::size_t sent = 0; ok && sent < request.size();) {
    const int n = send(s, request.data() + sent, static_cast<int>(request.size() - sent), 0);
    if (n <= 0) ok = false;
    else sent += static_cast<std::size_t>(n);
  }
  std::string response;
  while (ok) {
    char buffer[4096];
    const int n = recv(s, buffer, sizeof buffer, 0);
    if (n < 0) ok = false;
    if (n <= 0) break;
    response.append(buffer, static_cast<std::size_t>(n));
  }
  closesocket(s);
  if (!ok || response.size() < 12 || response.compare(9, 3, "200") != 0) return false;
  const std::size_t bodyStart = response.find("\r\n\r\n");
  if (bodyStart == std::string::npos) return false;
  if (responseBody) *responseBody = response.substr(bodyStart + 4);
  return true;
}

bool UpdateTestServer::ServeRaw(const std::string& response, bool hold) {
  return Exchange(std::string("PUT /__script HTTP/1.0\r\n") +
                      (hold ? "X-Script-Mode: hold\r\n" : "") +
                      "Content-Length: " + std::to_string(response.size()) + "\r\n\r\n" +
                      response,
                  NULL);
}

bool UpdateTestServer::Serve(const std::string& body, bool withContentLength) {
  std::string response = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n";
  if (withContentLength) response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  response += "Connection: close\r\n\r\n" + body;
  return ServeRaw(response);
}

bool UpdateTestServer::Hang() {
  return Exchange("PUT /__script HTTP/1.0\r\nX-Script-Mode: hang\r\nContent-Length: 0\r\n\r\n", NULL);
}

bool UpdateTestServer::Trickle(const std::string& response, std::size_t atOnce) {
  return Exchange("PUT /__script HTTP/1.0\r\nX-Script-Mode: trickle\r\nX-Trickle-After: " +
                      std::to_string(atOnce) + "\r\nContent-Length: " +
                      std::to_string(response.size()) + "\r\n\r\n" + response,
                  NULL);
}

std::vector<std::string> UpdateTestServer::Requests() {
  std::string all;
  std::vector<std::string> requests;
  if (!Exchange("GET /__requests HTTP/1.0\r\n\r\n", &all) || all.empty()) return requests;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = all.find('\0', start);
    requests.push_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return requests;
}

std::string VersionFile(const std::string& version, const std::string& address) {
  return version + "\r\n" + address + "\r\n";
}
