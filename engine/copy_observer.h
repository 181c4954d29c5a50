#pragma once
// What a running copy tells its caller, and where it hands control back to
// it: at file and chunk boundaries, and while it waits. A caller with a
// window keeps the window alive there. The copy itself shows nothing.

namespace engine {

class CopyObserver {
public:
    // Once the copy knows what it will do, before anything is written.
    struct Plan {
        // The work Progress counts, in all: the bytes read and written, and a
        // share for each file's creation and move.
        unsigned long long units = 0;
        // The most the copy takes of the target's volume: every file it
        // places rounded up to the volume's cluster, what a replaced file
        // held where it must be copied to be kept, and room for the folders
        // and the copy's own records.
        unsigned long long bytesNeeded = 0;
    };
    // False stops the copy there: it writes nothing and returns
    // CopyIncomplete without a failure of its own.
    virtual bool Planned(const Plan& plan) = 0;
    // How much of the plan's work is done; it only grows. Also called with
    // the same figure while the copy waits or puts things back.
    virtual void Progress(unsigned long long unitsDone) = 0;

protected:
    ~CopyObserver() = default;
};

}  // namespace engine
