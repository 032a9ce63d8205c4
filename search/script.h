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

// The pasted texts have every % doubled, so the interpreter reads them back unchanged, and sit
// inside set "name=value", so & ^ ( ) in a folder name stay characters. A folder that does not
// end in \ or / gets a backslash: the body glues each name straight to the search folder, and
// a save folder without one would let copy overwrite a single file named like the folder. An
// empty folder stays empty: a lone backslash would make it the root of the current drive.
Text compose_script(const ScriptInputs& inputs, const CodePage& code_page);

}  // namespace kestrafil
