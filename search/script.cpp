#include "search/script.h"

#include <array>

namespace kestrafil {
namespace {

struct HeaderPiece {
  TextView literal;
  TextView ScriptInputs::*pasted;  // the text that follows the literal; nullptr for none
  bool folder;
};

constexpr std::array kHeader{
    HeaderPiece{"@echo off\r\nset \"jpgname=", &ScriptInputs::current_directory, false},
    HeaderPiece{"/file.txt\"\r\nset \"jpgpath=", &ScriptInputs::search_folder, true},
    HeaderPiece{"\"\r\nset \"Udrvpath=", &ScriptInputs::save_folder, true},
    HeaderPiece{"\"\r\n", nullptr, false},
};

// Bytes below this are control characters, which no file name holds.
constexpr unsigned char kFirstPrintable = 0x20;

// Byte by byte is safe here and in paste: in no double-byte code page of Windows is a control
// byte, " or % a trail byte (GBK's trail bytes are 0x40 to 0xFE), so each such byte is the
// character.
Text cleaned(TextView text) {
  Text kept;
  for (const char byte : text.substr(0, text.find_first_of("\r\n"))) {
    if (byte != '"' && static_cast<unsigned char>(byte) >= kFirstPrintable) kept += byte;
  }
  return kept;
}

void paste(Text& script, TextView text) {
  for (const char byte : text) {
    script += byte;
    if (byte == '%') script += '%';
  }
}

}  // namespace

bool rewritten_by_loop(TextView folder) {
  const Text text = cleaned(folder);
  const TextView view(text);
  return view.find("%a") != TextView::npos || view.find("%~") != TextView::npos;
}

Text compose_script(const ScriptInputs& inputs, const CodePage& code_page) {
  Text script;
  for (const auto& piece : kHeader) {
    script.append(piece.literal);
    if (piece.pasted == nullptr) continue;
    const Text text = cleaned(inputs.*piece.pasted);
    paste(script, text);
    if (piece.folder && !text.empty() && !ends_with_separator(text, code_page)) script += '\\';
  }
  script.append(inputs.body);
  return script;
}

}  // namespace kestrafil
