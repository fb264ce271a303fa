#include "app/form1.h"

namespace synopter {

void TForm1::InstallScrollHooks() {}
void TForm1::HookWndProc_richedit1(int) {}
void TForm1::HookWndProc_richedit2(int) {}
void TForm1::HookWndProc_listbox1(int) {}
void TForm1::HookWndProc_listbox2(int) {}
void TForm1::SyncScroll_richedit1() {}
void TForm1::SyncScroll_richedit2() {}
void TForm1::SyncScroll_listbox1() {}
void TForm1::SyncScroll_listbox2() {}

} // namespace synopter
