// The statistics window's Editions page: the distances between the
// catalogue's editions, counted off the user-interface thread.

#include "statistics/ui/statistics_window.h"

#include "collate/collation.h"
#include "collate/edition_set.h"
#include "common/ui/plain_text.h"
#include "common/ui/qt_bytes.h"
#include "compare/spelling_rules.h"
#include "editions/edition.h"
#include "editions/edition_check.h"

#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

#include <filesystem>
#include <memory>
#include <optional>

namespace synopter {

// What a count found: the editions counted, in the table's order, and those
// left out.
struct StatisticsWindow::DistanceCount {
    std::vector<collate::Witness> witnesses;
    collate::DistanceTable table{0};
    std::vector<std::string> leftOut;
};

namespace {

// The catalogue and choices a count was made for; an edition written anew
// (an import under the same name) changes it too.
std::string ChoiceKey(const EditionsChoice& choice, const std::vector<std::string>& names)
{
    std::string key = std::to_string(int(choice.spelling)) + (choice.exactPositions ? "e" : "-");
    if (choice.spellingRules)
        key += " " + choice.spellingRules->Groups().Names();
    for (const std::string& folder : choice.folders)
        key += "\n" + folder;
    for (const std::string& name : names) {
        std::error_code error;
        const std::string path = EditionTextPath(EditionFolder(choice.folders, name), name);
        const auto time = std::filesystem::last_write_time(path, error);
        key += "\n" + name + ":" + std::to_string(error ? 0 : time.time_since_epoch().count());
    }
    return key;
}

// A cell's colour by its share of the largest distance: light to dark blue.
QColor HeatColour(double share)
{
    const QColor light(244, 247, 252);
    const QColor dark(16, 42, 110);
    const auto mix = [share](int a, int b) { return int(a + (b - a) * share + 0.5); };
    return QColor(mix(light.red(), dark.red()), mix(light.green(), dark.green()), mix(light.blue(), dark.blue()));
}

// 1204 as "1 204": thousands apart by a no-break space, as the percentages read.
QString Grouped(int number)
{
    QString digits = QString::number(number);
    for (int at = digits.size() - 3; at > 0 && digits[at - 1].isDigit(); at -= 3)
        digits.insert(at, QChar(0x00A0));
    return digits;
}

} // namespace

void StatisticsWindow::SetEditionsChoice(std::function<EditionsChoice()> choice)
{
    editionsChoice_ = std::move(choice);
    UpdateDistances();
}

void StatisticsWindow::UpdateDistances()
{
    // Counted only for a page someone looks at.
    if (!editionsChoice_ || !isVisible() || pages_->currentWidget() != editionsPage_)
        return;
    const EditionsChoice choice = editionsChoice_();
    const std::vector<std::string> names = ListEditions(choice.folders);
    std::string key = ChoiceKey(choice, names);
    if (key == countedKey_ || (distanceTask_.Running() && key == countingKey_))
        return;
    // What the table showed was counted for other choices.
    distanceTask_.Stop();
    editionsPage_->unsetCursor();
    countingKey_.clear();
    ClearDistances();
    if (choice.running) {
        // The run's inputs are the user's to wait for; the window counts when shown after it.
        facts_ = Facts::Running;
        ShowFacts();
        return;
    }
    collate::Options options;
    options.exactPositions = choice.exactPositions;
    options.spelling = choice.spelling;
    // The main window's rules may change while the count runs: it reads its own.
    std::shared_ptr<const SpellingRules> rules;
    if (choice.spellingRules)
        rules = std::make_shared<SpellingRules>(*choice.spellingRules);
    options.spellingRules = rules.get();
    countingKey_ = std::move(key);
    editionsPage_->setCursor(Qt::BusyCursor);
    distanceTask_.Start(
        [folders = choice.folders, names, options, rules](const std::function<bool()>& goOn) {
            DistanceCount count;
            const collate::EditionSet set = collate::LoadCollatableEditions(folders, names, count.leftOut);
            count.witnesses = set.witnesses;
            if (set.texts.size() >= 2)
                count.table = collate::CountDistances(set.TextPointers(), options, {}, goOn, set.LacunaPointers());
            return count;
        },
        [this, choice](const DistanceCount& count) {
            editionsPage_->unsetCursor();
            ShowDistances(count, choice);
            countedKey_ = std::move(countingKey_);
            countingKey_.clear();
        });
}

void StatisticsWindow::ClearDistances()
{
    distanceTable_->clear();
    distanceTable_->setRowCount(0);
    distanceTable_->setColumnCount(0);
    countedKey_.clear();
    leftOut_.clear();
    facts_ = Facts::None;
    ShowFacts();
}

void StatisticsWindow::ShowDistances(const DistanceCount& count, const EditionsChoice& choice)
{
    leftOut_.clear();
    for (const std::string& name : count.leftOut)
        leftOut_ << FromLatin1(name);
    distanceTable_->clear();
    const int n = int(count.witnesses.size());
    distanceTable_->setRowCount(n < 2 ? 0 : n);
    distanceTable_->setColumnCount(n < 2 ? 0 : n);
    spellingText_ = choice.spellingText;
    exact_ = choice.exactPositions;
    if (n < 2) {
        facts_ = Facts::Few;
        ShowFacts();
        return;
    }
    const collate::DistanceTable& distances = count.table;
    int most = 0;
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            most = std::max(most, distances.Distance(a, b));
    // Short sigla head the table (the names are too wide for the heat map).
    const std::vector<std::string> sigla = collate::ShortSigla(count.witnesses);
    for (int i = 0; i < n; ++i) {
        const collate::Witness& w = count.witnesses[size_t(i)];
        const QString siglum = FromLatin1(sigla[size_t(i)]);
        // The tip: the full name, with the information when there is any.
        const QString information = FromUtf8(ToUtf8(w.information));
        const QString tip = siglum == FromLatin1(w.name) ? information
                            : information.isEmpty()      ? FromLatin1(w.name)
                                                         : FromLatin1(w.name) + QString::fromUtf8(" — ") + information;
        for (bool row : {true, false}) {
            auto* title = new QTableWidgetItem(siglum);
            title->setToolTip(PlainToolTip(tip)); // a title or file name, never markup
            if (row)
                distanceTable_->setVerticalHeaderItem(i, title);
            else
                distanceTable_->setHorizontalHeaderItem(i, title);
        }
        for (int j = 0; j < n; ++j) {
            const int distance = distances.Distance(i, j);
            auto* cell = new QTableWidgetItem(i == j ? QString::fromUtf8("–") : QString::number(distance));
            cell->setTextAlignment(Qt::AlignCenter);
            if (i != j) {
                // Agreement counts only the units both have: a manuscript's lost text is no difference.
                const std::optional<double> agreement = distances.AgreementPercent(i, j);
                if (agreement)
                    cell->setData(kAgreementRole, QString(agreementCellText_)
                                                      .arg(QString::number(*agreement, 'f', 1),
                                                           Grouped(distances.Shared(i, j))));
                cell->setToolTip(PlainToolTip(
                    agreement ? QString(agreementText_)
                                    .arg(FromLatin1(sigla[size_t(std::min(i, j))]),
                                         FromLatin1(sigla[size_t(std::max(i, j))]),
                                         QString::number(*agreement, 'f', 1), Grouped(distances.Shared(i, j)),
                                         QString::number(distance))
                              : noSharedText_));
                const double share = most > 0 ? double(distance) / most : 0.0;
                const QColor back = HeatColour(share);
                cell->setBackground(back);
                // Dark text on the light cells, light text on the dark ones.
                cell->setForeground(back.lightnessF() > 0.55 ? QColor(20, 20, 20) : QColor(255, 255, 255));
            }
            distanceTable_->setItem(i, j, cell);
        }
    }
    base_ = FromLatin1(count.witnesses.front().name);
    facts_ = Facts::Counted;
    ShowFacts();
}

void StatisticsWindow::ShowFacts()
{
    QString text;
    switch (facts_) {
    case Facts::None:
        break;
    case Facts::Running:
        text = runningText_;
        break;
    case Facts::Few:
        text = fewText_;
        break;
    case Facts::Counted:
        text = QString(factsText_).arg(base_, spellingText_, exact_ ? exactText_ : movedText_);
        break;
    }
    if (facts_ != Facts::Running && !leftOut_.isEmpty())
        text += (text.isEmpty() ? "" : " ") + QString(leftOutText_).arg(leftOut_.join(", "));
    editionsNote_->setText(text);
}

void StatisticsWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // No one looks at the page: the count stops, to run again when it is shown.
    if (distanceTask_.Running()) {
        distanceTask_.Stop();
        countingKey_.clear();
        editionsPage_->unsetCursor();
    }
}

} // namespace synopter
