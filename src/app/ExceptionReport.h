#pragma once

#include <functional>

// Runs body, the program's whole life after start-up, and returns its exit status. An exception
// that escapes it would abort the program without a word; instead it is told on standard error
// and, while the application can show one, in a message box, and the status is 1.
int RunReportingExceptions(const std::function<int()>& body);
