// A look at a module file before it is loaded: a truncated shared object would be mapped past
// its end and kill the process with a bus error when touched.
#pragma once

#include <string>

// True when path holds a complete shared object for this machine: a valid ELF header, and every
// segment the loader maps lying inside the file.
bool IsCompleteSharedObject(const std::string& path);
