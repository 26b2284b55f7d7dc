#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <chrono>
#include <future>

// Runs work on a thread of its own with the interpreter lock released, and looks for Ctrl+C
// every 10 ms; on one it sets cancel, waits for the work to stop and raises KeyboardInterrupt.
template <typename Work> auto RunCancellable(std::atomic<int>& cancel, Work work) {
    namespace py = pybind11;
    std::future<decltype(work())> result;
    {
        py::gil_scoped_release release;
        result = std::async(std::launch::async, work);
    }
    for (;;) {
        std::future_status status;
        {
            py::gil_scoped_release release;
            status = result.wait_for(std::chrono::milliseconds(10));
        }
        if (status == std::future_status::ready)
            return result.get();
        if (PyErr_CheckSignals() != 0) {
            cancel = 1;
            {
                py::gil_scoped_release release;
                result.wait();
            }
            throw py::error_already_set();
        }
    }
}
