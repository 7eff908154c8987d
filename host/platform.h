// The host's calls into the operating system, one implementation per platform (host/posix_platform.cpp,
// host/win32_platform.cpp). Paths are UTF-8 here; each platform turns them into its own file names.
#pragma once
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <string>

// The folder of the running program in UTF-8, without the trailing separator ("" for the root folder);
// false when it cannot be found.
bool host_ProgramFolder(std::string& folder);

// fopen by UTF-8 name.
FILE* host_OpenFile(const std::string& path, const char* mode);
// Puts what was written to `file` on the disk (after fflush); false when the system cannot.
bool host_SyncFile(FILE* file);
// Makes `from` the file `to`, replacing it in one step; false (and nothing changed) when it cannot.
bool host_ReplaceFile(const std::string& from, const std::string& to);
void host_RemoveFile(const std::string& path);
// Makes renames in the current folder durable where the system needs that asked separately.
void host_SyncCurrentFolder();

// Unbuffered files for the journal, written from the fatal paths too: these calls never allocate.
// host_CreateRawFile truncates or creates, and returns -1 when it cannot.
int host_CreateRawFile(const char* path);
// Writes all of it, retrying interrupted and partial writes; false when the system refused.
bool host_WriteRaw(int fd, const void* data, size_t size);
void host_CloseRaw(int fd);

// The environment variable `name` in UTF-8, for values that name files: Windows keeps the environment in
// UTF-16, and the C runtime's getenv there gives it in the ANSI code page, which cannot hold every name.
// False when the variable is not set.
bool host_GetEnvironment(const char* name, std::string& value);
// Sets an environment variable for this process, or removes it when `value` is null.
void host_SetEnvironment(const char* name, const char* value);

// The local calendar time of `when`, safely from any thread.
void host_LocalTime(time_t when, tm* out);

// The system's name as game-pad mapping lines give it in their platform field ("Linux", "Windows").
const char* host_PlatformName();
