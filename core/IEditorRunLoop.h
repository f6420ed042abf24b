#pragma once

// The host's event loop, as an editor window without a loop of its own sees it.
// On Linux the host owns the user-interface thread's loop and lends it to the
// editor; the binding adapts the host's interface to this one, so the editor layer
// never depends on the binding.
//
// Every call runs on the host's user-interface thread, and every callback comes on
// it. A client unregisters everything it registered before it goes away.
class IEditorRunLoop {
public:
    class Timer {
    public:
        virtual void onTimer() = 0;

    protected:
        ~Timer() = default;
    };
    class Reader {
    public:
        // The descriptor has data to read (or was closed).
        virtual void onReadable(int fd) = 0;

    protected:
        ~Reader() = default;
    };

    virtual ~IEditorRunLoop() = default;

    // Calls the timer every `intervalMs` milliseconds until it is removed. False
    // when the host refused; a timer registers at most once.
    virtual bool addTimer(Timer& timer, int intervalMs) = 0;
    virtual void removeTimer(Timer& timer) = 0;
    // Calls the reader whenever `fd` is readable, until it is removed.
    virtual bool addReader(Reader& reader, int fd) = 0;
    virtual void removeReader(Reader& reader) = 0;
};
