#include "app/form1.h"

#include "app/form1_ui.h"

#include "app/scroll_hooks.h"
#include "compare/ui/rich_edit.h"
#include "editions/ui/source_list.h"

#include <QCheckBox>

namespace synopter {

namespace {

// The panes follow each other while the thumb is dragged; the lists only once
// it is released.
constexpr unsigned kLastPaneCode = scroll_code::kThumbTrack;
constexpr unsigned kLastListCode = scroll_code::kThumbPosition;

// The code as a scroll message carries it: the low 16 bits, unsigned.
unsigned CodeOf(int scrollCode)
{
    return static_cast<unsigned>(scrollCode) & 0xFFFFu;
}

} // namespace

void TForm1::InstallScrollHooks()
{
    if (findChild<ScrollHooks*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    auto* hooks = new ScrollHooks(this);
    hooks->Watch(ui_->RichEdit1, [this](int code) { HookWndProc_richedit1(code); });
    hooks->Watch(ui_->RichEdit2, [this](int code) { HookWndProc_richedit2(code); });
    hooks->Watch(ui_->ListBox1, [this](int code) { HookWndProc_listbox1(code); });
    hooks->Watch(ui_->ListBox2, [this](int code) { HookWndProc_listbox2(code); });
}

void TForm1::HookWndProc_richedit1(int scrollCode)
{
    if (ui_->chbScrollBoth->isChecked() && CodeOf(scrollCode) <= kLastPaneCode)
        SyncScroll_richedit1();
}

void TForm1::HookWndProc_richedit2(int scrollCode)
{
    if (ui_->chbScrollBoth->isChecked() && CodeOf(scrollCode) <= kLastPaneCode)
        SyncScroll_richedit2();
}

void TForm1::HookWndProc_listbox1(int scrollCode)
{
    if (ui_->chbScrollBoth->isChecked() && CodeOf(scrollCode) <= kLastListCode)
        SyncScroll_listbox1();
}

void TForm1::HookWndProc_listbox2(int scrollCode)
{
    if (ui_->chbScrollBoth->isChecked() && CodeOf(scrollCode) <= kLastListCode)
        SyncScroll_listbox2();
}

// Each synchronizer measures both sides again, so a partner that stopped short
// at the end of its text is brought back in step by the next action.

void TForm1::SyncScroll_richedit1()
{
    const int a = ui_->RichEdit1->FirstVisibleLine();
    const int b = ui_->RichEdit2->FirstVisibleLine();
    ui_->RichEdit2->ScrollLines(a - b);
}

void TForm1::SyncScroll_richedit2()
{
    const int a = ui_->RichEdit1->FirstVisibleLine();
    const int b = ui_->RichEdit2->FirstVisibleLine();
    ui_->RichEdit1->ScrollLines(b - a);
}

void TForm1::SyncScroll_listbox1()
{
    ui_->ListBox2->SetTopIndex(ui_->ListBox1->TopIndex());
}

void TForm1::SyncScroll_listbox2()
{
    ui_->ListBox1->SetTopIndex(ui_->ListBox2->TopIndex());
}

} // namespace synopter
