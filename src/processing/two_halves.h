#pragma once

// Work over the third article's paragraphs shared between two threads, for
// the steps of a check that long articles make slow (reading the versions'
// sentences, comparing them): the paragraphs from the halfway one
// (CountedArticles::halfwayParagraph) on a thread of their own, those before
// it here, and the second result added to the first. Where no half is given
// (short articles, one core) or no thread can be had, all of it is done here.

#include <cstddef>
#include <future>
#include <system_error>

namespace kestrelwick {

// work(first, end, halved) does the paragraphs from first to before end;
// halved says it runs beside the other half (and shares the memory it may
// take with it). join(first, second) adds the second half's result to the
// first's. A std::bad_alloc of either half reaches the caller.
template <typename Work, typename Join>
auto inTwoHalves(std::size_t half, std::size_t end, Work work, Join join) {
    using Result = decltype(work(std::size_t{0}, end, false));
    if (half == 0) {
        return work(std::size_t{0}, end, false);
    }
    std::future<Result> later;
    try {
        later =
            std::async(std::launch::async, [&work, half, end] { return work(half, end, true); });
    } catch (const std::system_error&) {
        return work(std::size_t{0}, end, false);  // no thread to be had
    }
    Result found = work(std::size_t{0}, half, true);
    join(found, later.get());
    return found;
}

}  // namespace kestrelwick
