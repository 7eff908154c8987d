/* Makes the game fault: finds its window (titled "Vextrallis") and, as a wild jump in the program would,
   sends a thread of its process to an address where nothing is mapped. By default that is a new thread
   started in the process; with --main it is the game's own thread, the one that made the window (stopped,
   its instruction pointer moved, let go). The fault is the game's own to handle; this program ends at once.
   Built with the MinGW-w64 cross compiler and run under Wine. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

/* Address 16: in the first page, which is never mapped. */
#define NOWHERE 16

int main(int argc, char** argv) {
  int onMain = argc == 2 && strcmp(argv[1], "--main") == 0;
  HWND window = FindWindowW(L"GLFW30", L"Vextrallis");
  if (!window) {
    fprintf(stderr, "fault_thread: no window titled Vextrallis\n");
    return 1;
  }
  DWORD pid = 0;
  DWORD tid = GetWindowThreadProcessId(window, &pid);
  if (onMain) {
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, tid);
    CONTEXT context;
    ZeroMemory(&context, sizeof context);
    context.ContextFlags = CONTEXT_CONTROL;
    if (!thread || SuspendThread(thread) == (DWORD)-1 || !GetThreadContext(thread, &context)) {
      fprintf(stderr, "fault_thread: cannot stop thread %lu of process %lu (error %lu)\n", tid, pid, GetLastError());
      return 1;
    }
    context.Rip = NOWHERE;
    if (!SetThreadContext(thread, &context) || ResumeThread(thread) == (DWORD)-1) {
      fprintf(stderr, "fault_thread: cannot redirect thread %lu (error %lu)\n", tid, GetLastError());
      return 1;
    }
    printf("fault_thread: the game thread %lu of process %lu faults\n", tid, pid);
    return 0;
  }
  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                               PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) {
    fprintf(stderr, "fault_thread: cannot open process %lu (error %lu)\n", pid, GetLastError());
    return 1;
  }
  HANDLE thread = CreateRemoteThread(process, NULL, 0, (LPTHREAD_START_ROUTINE)(ULONG_PTR)NOWHERE, NULL, 0, NULL);
  if (!thread) {
    fprintf(stderr, "fault_thread: cannot start a thread in process %lu (error %lu)\n", pid, GetLastError());
    return 1;
  }
  printf("fault_thread: faulting thread started in process %lu\n", pid);
  return 0;
}
