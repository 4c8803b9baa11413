#pragma once

// How a long choice of a batch of articles asks whether to stop: the window
// chooses on a thread of its own, and its Cancel button answers.

namespace kestrelwick {

// Asked whether the choice is to stop.
class BatchProgress {
  public:
    virtual ~BatchProgress() = default;
    // Whether the choice is to stop; asked every few milliseconds.
    virtual bool cancelled() { return false; }
};

}  // namespace kestrelwick
