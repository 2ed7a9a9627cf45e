// Latin-1 conversion and the string forms of the byte streams.
#include "model/bytes.h"

#include <algorithm>

namespace tolmek {

std::string Utf8ToLatin1(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    auto c = uint8_t(s[i]);
    if (c < 0x80) {
      out.push_back(char(c));
      ++i;
      continue;
    }
    // Two-byte sequences C2/C3 cover U+0080..U+00FF; everything else is outside Latin-1.
    if ((c == 0xC2 || c == 0xC3) && i + 1 < s.size() && (uint8_t(s[i + 1]) & 0xC0) == 0x80) {
      out.push_back(char(((c & 0x03) << 6) | (uint8_t(s[i + 1]) & 0x3F)));
      i += 2;
      continue;
    }
    size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    out.push_back('?');
    i += std::min(len, s.size() - i);
  }
  return out;
}

std::string Latin1ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char ch : s) {
    auto c = uint8_t(ch);
    if (c < 0x80) {
      out.push_back(char(c));
    } else {
      out.push_back(char(0xC0 | (c >> 6)));
      out.push_back(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

void ByteWriter::Str(std::string_view utf8, size_t maxLen) {
  std::string latin = Utf8ToLatin1(utf8);
  size_t n = std::min({latin.size(), maxLen, size_t(255)});
  U8(uint8_t(n));
  buf_.append(latin, 0, n);
}

std::string ByteReader::Str(size_t maxLen) {
  size_t n = U8();
  if (Remaining() < n) throw CorruptFile("string past the end");
  std::string_view raw = data_.substr(pos_, std::min(n, maxLen));
  pos_ += n;
  return Latin1ToUtf8(raw);
}

}  // namespace tolmek
