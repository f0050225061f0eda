// The test's side of update_test_server.py: scripts its answers and reads
// back the requests it received. The server runs beside the test program
// (with_update_server.sh), which names its port in SNAPVANE_TEST_SERVER_PORT.
#pragma once

#include <string>
#include <vector>

class UpdateTestServer {
 public:
  UpdateTestServer();
  ~UpdateTestServer();
  UpdateTestServer(const UpdateTestServer&) = delete;
  UpdateTestServer& operator=(const UpdateTestServer&) = delete;

  // 0 when no server runs beside the test.
  int Port() const { return port_; }

  // Every later request gets these bytes as the whole response; with `hold`
  // the connection then stays open, as if more were to come.
  bool ServeRaw(const std::string& response, bool hold = false);
  // "200 OK" with the body and, unless told otherwise, its Content-Length.
  bool Serve(const std::string& body, bool withContentLength = true);
  // Accept and never answer.
  bool Hang();
  // Every later request gets these bytes, the first `atOnce` of them at once
  // and the rest one byte a second.
  bool Trickle(const std::string& response, std::size_t atOnce);
  // The requests since the last script, each its request line and headers.
  std::vector<std::string> Requests();

 private:
  bool Exchange(const std::string& request, std::string* responseBody);

  int port_ = 0;
};

// A response to Serve: the version file as the real server would send it.
std::string VersionFile(const std::string& version, const std::string& address);
