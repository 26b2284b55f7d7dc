#pragma once

#include <exception>
#include <string>

// The message a front end shows for an exception that reached its boundary: "Not enough memory
// to complete the operation." for an allocation failure, otherwise "Unexpected error: <what>".
std::string ExceptionMessage(std::exception_ptr e);
