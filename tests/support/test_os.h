// What the tests need of the operating system beyond standard C++: scratch folders and streams, the test
// program's own folder and id, and standard output for death tests. The folder calls are written once
// over std::filesystem (support/test_os.cpp); the rest has one implementation per platform
// (support/posix_test_os.cpp, support/win32_test_os.cpp). Paths are UTF-8 with '/' between folders.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace vxtest {

// A new, empty folder in the system's temporary folder, its name starting with `prefix`; "" when none
// could be made.
std::string MakeTempDir(const std::string& prefix);
// Removes a folder and everything in it; quiet when there is nothing to remove.
void RemoveTree(const std::string& path);
// The working directory, and changing it; ChangeDir is false when it cannot.
std::string CurrentDir();
bool ChangeDir(const std::string& dir);
// Whether a file or folder of that name exists.
bool Exists(const std::string& path);
// Creates one folder; false when it cannot (also when it is there already).
bool MakeDir(const std::string& path);
// Copies a file, or a folder with everything in it.
bool CopyTree(const std::string& from, const std::string& to);
// Whole files by UTF-8 name.
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// A read-write stream on a nameless scratch file that goes when it is closed; null when none could be made.
FILE* ScratchStream();
// A stream positioned at the start of a scratch file holding `bytes` (for the file readers' tests).
FILE* StreamOf(const std::vector<unsigned char>& bytes);

// The folder of the running test program and its process id.
std::string ProgramFolder();
long ProcessId();

// Whether windows can be opened: a desktop, or an X display named by DISPLAY.
bool HasDisplay();

// Makes this process's standard output go where its standard error goes. Death tests call it in the
// dying child: the checks read standard error only, and the fatal messages go to standard output.
void StdoutToStderr();
// Makes this process's standard input the null device, so a read finds its end at once; false when it cannot.
bool StdinAtEnd();

}  // namespace vxtest
