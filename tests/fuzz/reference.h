// What both fuzzers share: the code pages an input picks with its first byte, a reading of a
// text's characters written apart from the program's own, and the way a fuzzer reports a fault.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "platform/text.h"

namespace kestrafil::fuzz {

struct LeadByteRange {
  unsigned char first;
  unsigned char last;
};

class RangeCodePage final : public CodePage {
 public:
  RangeCodePage(std::initializer_list<LeadByteRange> leads) : leads_(leads) {}
  bool is_lead_byte(unsigned char byte) const override {
    for (const auto& range : leads_) {
      if (byte >= range.first && byte <= range.last) return true;
    }
    return false;
  }

 private:
  std::vector<LeadByteRange> leads_;
};

// A single-byte code page, and the lead bytes of the Chinese (936) and Japanese (932) ones.
inline const CodePage& code_page_for(unsigned char selector) {
  static const RangeCodePage single_byte{};
  static const RangeCodePage gbk{{0x81, 0xFE}};
  static const RangeCodePage shift_jis{{0x81, 0x9F}, {0xE0, 0xFC}};
  static const std::array<const CodePage*, 3> pages{&single_byte, &gbk, &shift_jis};
  return *pages[selector % pages.size()];
}

// Where the last character begins. Read from the start, a byte is a trail byte exactly when the
// byte before it begins a character and is a lead byte; so a lead byte at the very end, with
// nothing to pair with, is a character by itself.
inline std::size_t last_character_start(TextView text, const CodePage& code_page) {
  std::vector<bool> begins(text.size(), true);
  for (std::size_t i = 1; i < text.size(); ++i) {
    begins[i] = !(begins[i - 1] && code_page.is_lead_byte(static_cast<unsigned char>(text[i - 1])));
  }
  std::size_t start = text.size();
  while (start > 0 && !begins[start - 1]) --start;
  return start == 0 ? 0 : start - 1;
}

inline bool ends_in_separator(TextView text, const CodePage& code_page) {
  const TextView last = text.substr(last_character_start(text, code_page));
  return last == "\\" || last == "/";
}

// Stops the run with a message; libFuzzer keeps the input that got here.
inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace kestrafil::fuzz
