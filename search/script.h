// The search-job script: a header that names the job's files and folders, then the fixed body.
#pragma once

#include "platform/text.h"

namespace kestrafil {

struct ScriptInputs {
  TextView current_directory;  // where file.txt lies
  TextView search_folder;
  TextView save_folder;
  TextView body;  // the script box's text, used as it is
};

// A pasted text keeps only its first line and loses every other control byte and every double
// quote: a line break would end the set line and run the rest as a command (so would a Ctrl-Z,
// and no file name holds a control character), and a quote would close set "name=value" early
// and let & | < > after it run as commands. No file name can hold a quote, and a path copied
// as a path from Explorer arrives wrapped in quotes, so dropping them keeps what was meant.
// What is left has every % doubled, so the interpreter reads it back unchanged, and sits inside
// set "name=value", so & ^ ( ) in a folder name stay characters. A folder that does not end in
// \ or / gets a backslash: the body glues each name straight to the search folder, and a save
// folder without one would let copy overwrite a single file named like the folder. A folder
// that is empty once cleaned stays empty: a lone backslash would make it the current drive's root.
Text compose_script(const ScriptInputs& inputs, const CodePage& code_page);

// True when a folder, as it goes into the script, holds %a or %~. The body's loops use the
// folders' variables inside a loop over %%a, and the interpreter expands those variables before
// the loop variable, so a %a (or a %~...a) in a folder would be replaced by each found path and
// misdirect the search or the copies.
bool rewritten_by_loop(TextView folder);

}  // namespace kestrafil
