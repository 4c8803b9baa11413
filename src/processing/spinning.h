#pragma once

// What is done with a spin text after a check: the engine's second front
// door, beside processing/check_articles.h. The window's preview, its
// format switch and "Save spun articles…", and the command line's --spin,
// include this header and nothing else of the engine's spinning.
//
// The units it is made of, in the order a spin text meets them:
//   spin_formats.h       the formats as data, and a text's own format
//   refusal.h            why something was not done, in one shape
//   text_place.h         a line and column in a text
//   spinner.h            spinning one article; a text in another format
//   spin_random.h        the picks, the same from a seed on every system
//   written_spin_text.h  the spin text a check wrote, for the format switch
//   spin_source.h        a spin text read once for a batch
//   spin_choices.h       its groups and their different alternatives, with
//                        the three articles the user wrote
//   article_share.h      how much two articles repeat each other
//   article_spelling.h   whether two articles read the same
//   article_batch.h      a batch chosen so that no two repeat each other
//                        more than they must, nor the written ones:
//     least_shared_pair.h  two articles, exactly
//     linear_code.h        the first batch, and the whole of a large one
//     batch_search.h       the search that improves it (batch_progress.h)
//     most_within_limit.h  the most within a share limit, exactly
//     distinct_texts.h     no two that read the same
//     batch_record.h       the batch, its line and its shares.csv
//   spin_export.h        the batch chosen and written, with one outcome

#include "processing/article_batch.h"
#include "processing/decimal_text.h"
#include "processing/refusal.h"
#include "processing/spin_export.h"
#include "processing/spin_formats.h"
#include "processing/spin_source.h"
#include "processing/spinner.h"
#include "processing/written_spin_text.h"
