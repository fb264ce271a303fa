#pragma once

// The settings tests' program directory and the steps they share.

#include "app/main_window.h"
#include "app/main_window_names.h"
#include "chapters/ui/chapter_window.h"
#include "common/file_io.h"
#include "common/ini_file.h"
#include "compare/comparison_run.h"
#include "compare/ui/result_pane.h"
#include "common/file_size_limit.h"
#include "language/translate.h"
#include "common/ui/panel.h"
#include "common/ui/recording_messages.h"
#include "app/settings_rules.h"
#include "editions/ui/source_list.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
QT_END_NAMESPACE

namespace synopter::settings_test {

using test::FileSizeLimit;

// ---- Helpers ---------------------------------------------------------------

// A program directory with a few small editions, and what the windows opened
// on it have said.
class ProgramDir {
public:
    ProgramDir()
    {
        WriteEdition("alpha", {"Matt 1", " verse a1", " verse a2"});
        WriteEdition("beta", {"Matt 1", " verse b1"});
    }

    std::string Path() const { return dir_.path().toStdString() + "/"; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path() + name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path() + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteEdition(const std::string& name, const std::vector<std::string>& lines) const
    {
        Write(name + ".bk", "[English]\r\nInformation=" + name + "\r\n");
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        Write(name + ".dat", text);
    }
    void WriteSettings(const std::string& text) const { Write("kelvane.ini", text); }
    std::string Settings() const { return Read("kelvane.ini"); }
    bool HasSettings() const { return QFileInfo::exists(QString::fromStdString(Path() + "kelvane.ini")); }

    test::RecordingMessages messages;

private:
    QTemporaryDir dir_;
};

// Runs Start and shows the window, as the program entry does.
inline void Start(MainWindow& form)
{
    ASSERT_TRUE(form.Start());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
}

// Closes the window; returns the error it reported, if any.
inline std::string CloseAndCatchError(MainWindow& form, test::RecordingMessages& messages)
{
    const size_t before = messages.kinds.size();
    form.close();
    for (size_t i = before; i < messages.kinds.size(); ++i)
        EXPECT_EQ(messages.kinds[i], MessageKind::Error) << messages.shown[qsizetype(i)].toStdString();
    return messages.kinds.size() > before ? messages.shown.back().toStdString() : std::string();
}

inline std::string Line(const std::string& key, long long value)
{
    return key + "=" + std::to_string(value) + "\r\n";
}

} // namespace synopter::settings_test
