/* A Windows program for the file layer's Wine tests: asks Wine's kernel32 about
 * each path given and prints one line per path, "found" or "missing" and the
 * function that answered. A path is given as its UTF-16 code units in hexadecimal,
 * separated by dots, so that no command-line conversion touches it. Paths that
 * the ANSI code page can hold go to GetFileAttributesA, as the program's own calls
 * do on Windows; the others to GetFileAttributesW, which the A call leads to. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static int decode(const char* text, WCHAR* path, int size) {
    int length = 0;
    while (*text && length < size - 1) {
        char* end;
        path[length++] = (WCHAR)strtoul(text, &end, 16);
        if (end == text) return -1;
        text = *end == '.' ? end + 1 : end;
    }
    path[length] = 0;
    return length;
}

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        WCHAR path[1024];
        char ansi[4096];
        BOOL lossy = FALSE;
        DWORD attributes;
        const char* call = "A";
        if (decode(argv[i], path, 1024) < 0) return 2;
        if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, ansi, sizeof ansi, NULL, &lossy) && !lossy) {
            attributes = GetFileAttributesA(ansi);
        } else {
            attributes = GetFileAttributesW(path);
            call = "W";
        }
        printf("%s %s\n", attributes == INVALID_FILE_ATTRIBUTES ? "missing" : "found", call);
    }
    return 0;
}
