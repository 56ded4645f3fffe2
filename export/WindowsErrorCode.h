#pragma once

// The Windows system error code that stands for a POSIX errno value of a file operation, so that
// the user sees the message a Windows user would see for the same condition. A condition without
// a Windows counterpart keeps its own number.
int WindowsErrorCode(int posixError);
