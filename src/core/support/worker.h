#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

class CLongJob;

// How often a status display polls a running job.
inline constexpr std::chrono::milliseconds kJobPollInterval{10};

// Runs job.Run on a worker thread. Meanwhile, on the calling thread, poll is called every
// interval until Run has returned; the first time it returns true, job.RequestCancel is called
// (once) and poll once more, so that the display shows the job cancelling. Returns the text of an
// exception that escaped Run (the worker catches it), or none.
std::optional<std::string> RunOnWorker(CLongJob& job, const std::function<bool()>& poll,
                                       std::chrono::milliseconds interval = kJobPollInterval);
