#pragma once

// Files for the window and the command line alike, in Qt Core: the room's
// front door. The rest of the program includes this header and nothing else
// of this folder. Its units:
//   article_file.h   an article read from a file, standard input or an
//                    argument, on one set of rules
//   regular_file.h   opening and reading a regular file, and only that
//   new_file.h       a file written whole or not at all; folders made
//   text_files.h     text as UTF-8, and a text file saved
//   batch_files.h    the articles of a batch written into a folder as one
//   file_names.h     file names as the system gives them
//   engine_text.h    the engine's text and refusals as Qt's
//   system_reason.h  the system's reason for a failure, in a message
//   utf8.h           UTF-8 as the standard has it
// Whatever refuses says why in the engine's one shape (processing/refusal.h).

#include "files/article_file.h"
#include "files/batch_files.h"
#include "files/engine_text.h"
#include "files/file_names.h"
#include "files/new_file.h"
#include "files/regular_file.h"
#include "files/system_reason.h"
#include "files/text_files.h"
