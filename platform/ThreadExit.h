// One pointer of the library's own per thread, handed to a function as the thread ends: a
// fiber-local slot on Windows (kernel32 only, as the lock), read without a lock or a call into
// the window system. On the host, where windows are the double's, it is a thread-local pointer
// and a thread's end calls nothing.
#pragma once

namespace brennick::platform {

// The calling thread's value: null until it sets one.
void* ThreadValue() noexcept;
// Sets the calling thread's value; atExit(value, true) runs on the thread as it ends, for the value
// it holds then (not for null). On Windows the value belongs to the running fiber: deleting another
// fiber that set one calls atExit(its value, false), on whichever thread deletes it. Every caller
// passes the same atExit.
void SetThreadValue(void* value, void (*atExit)(void* value, bool threadEnds)) noexcept;

}  // namespace brennick::platform
