#pragma once

// A click on Check Articles over long articles builds tens of megabytes of
// working data (the cleaned texts, the paragraphs, the spin text) and frees
// them all when it ends. By default the C library hands blocks that large back
// to the system at once, and every later click pays again for the system to
// map and zero each page: for articles of a few megabytes that costs several
// times the counting itself. Called once at start-up, this keeps freed
// working memory of up to a few dozen megabytes for the next click. Larger
// blocks are still returned to the system as soon as they are freed.
namespace kestrelwick {

void keepWorkingMemoryBetweenClicks();

}  // namespace kestrelwick
