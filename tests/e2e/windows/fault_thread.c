/* Makes the game fault: finds its window (titled "Vextrallis"), and starts a thread in its process at an
   address where nothing is mapped, as a wild jump in the program would. The fault is the game's own to
   handle; this program ends at once. Built with the MinGW-w64 cross compiler and run under Wine. */
#include <windows.h>
#include <stdio.h>

int main(void) {
  HWND window = FindWindowW(NULL, L"Vextrallis");
  if (!window) {
    fprintf(stderr, "fault_thread: no window titled Vextrallis\n");
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                               PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) {
    fprintf(stderr, "fault_thread: cannot open process %lu (error %lu)\n", pid, GetLastError());
    return 1;
  }
  /* Address 16: in the first page, which is never mapped. */
  HANDLE thread = CreateRemoteThread(process, NULL, 0, (LPTHREAD_START_ROUTINE)(ULONG_PTR)16, NULL, 0, NULL);
  if (!thread) {
    fprintf(stderr, "fault_thread: cannot start a thread in process %lu (error %lu)\n", pid, GetLastError());
    return 1;
  }
  printf("fault_thread: faulting thread started in process %lu\n", pid);
  return 0;
}
