/* Writes the text on the Windows clipboard to standard output as UTF-8: how
   the package test reads what declarium.exe copied, inside Wine. Exit code 1
   when the clipboard holds no text within five seconds. */
#include <stdio.h>
#include <windows.h>

int main(void) {
  /* Another process may hold the clipboard open for a moment. */
  const DWORD deadline = GetTickCount() + 5000;
  while (!OpenClipboard(NULL)) {
    if (GetTickCount() > deadline) return 1;
    Sleep(50);
  }
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const wchar_t* text = data != NULL ? (const wchar_t*)GlobalLock(data) : NULL;
  if (text == NULL) {
    CloseClipboard();
    return 1;
  }
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
  char* utf8 = (char*)HeapAlloc(GetProcessHeap(), 0, n > 0 ? (SIZE_T)n : 1);
  if (utf8 == NULL) return 1;
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, n, NULL, NULL);
  GlobalUnlock(data);
  CloseClipboard();
  DWORD written = 0;
  if (n > 1) WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8, (DWORD)(n - 1), &written, NULL);
  return 0;
}
