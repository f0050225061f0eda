// Text forms of settings values, shared by the settings file on every
// platform: signed decimal integers and "struct" byte blocks written as
// upper-case hex digits followed by a one-byte checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// "%d" text of a 32-bit signed integer.
std::wstring FormatProfileInt(std::int32_t value);

// Reads leading blanks, an optional '-' and decimal digits, wrapping modulo
// 2^32 like the platform does. Text that does not start with a number reads
// as 0. Returns false (and leaves `value`) when the text is empty.
bool ParseProfileInt(const std::wstring& text, std::int32_t& value);

// Sum of all bytes modulo 256.
std::uint8_t StructChecksum(const void* data, std::size_t size);

// 2 * size + 2 upper-case hex digits: the bytes in memory order, then the checksum.
std::wstring EncodeStructValue(const void* data, std::size_t size);

// Succeeds only for exactly 2 * size + 2 hex digits (either case) whose
// checksum matches; `buffer` is written only on success.
bool DecodeStructValue(const std::wstring& text, void* buffer, std::size_t size);
