/* A Windows program for the case table's Wine test: prints, for every UTF-16 code
 * unit that ntdll's case mapping changes, the unit, its upper-case and its
 * lower-case form (four hexadecimal digits each). Wine's file lookups compare
 * names by the upper-case form, its server compares key and value names by the
 * lower-case form, both from this one table. */
#include <windows.h>
#include <stdio.h>

typedef WCHAR(WINAPI* CaseMapping)(WCHAR);

int main(void) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    CaseMapping upper = (CaseMapping)(void*)GetProcAddress(ntdll, "RtlUpcaseUnicodeChar");
    CaseMapping lower = (CaseMapping)(void*)GetProcAddress(ntdll, "RtlDowncaseUnicodeChar");
    if (!upper || !lower) return 2;
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        const WCHAR up = upper((WCHAR)unit), down = lower((WCHAR)unit);
        if (up != unit || down != unit) printf("%04X %04X %04X\n", unit, (unsigned)up, (unsigned)down);
    }
    return 0;
}
