#pragma once

#include <QAbstractListModel>
#include <QListView>

#include <memory>
#include <string>
#include <vector>

namespace synopter {

// The lines of a loaded edition, shown Latin-1 decoded (the display font draws
// the transliteration as Greek). The lines belong to the loaded edition; the
// model shares them while it shows them.
class EditionLinesModel : public QAbstractListModel {
    Q_OBJECT

public:
    using Lines = std::shared_ptr<const std::vector<std::string>>;
    using QAbstractListModel::QAbstractListModel;

    // Null shows none.
    void SetLines(Lines lines);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // At least 16 pixels; more when the font needs it, so no descender is cut.
    static constexpr int kItemHeight = 16;
    void SetItemHeight(int height);
    // Whether the view draws the lines in the display font: assistive
    // technology is then given them as the Greek they show.
    void SetDrawnAsGreek(bool greek);
    static constexpr int kScrollExtent = 2000;
    // The most of a line shown: what fits the scroll extent. The line itself stays whole.
    static constexpr size_t kShownCharacters = kScrollExtent;

private:
    Lines lines_;
    int itemHeight_ = kItemHeight;
    bool drawnAsGreek_ = false;
};

// A source list: a view of a loaded edition's lines, one item per line,
// scrolled an item at a time so that the scroll bar's value is the top item.
class SourceList : public QListView {
    Q_OBJECT

public:
    explicit SourceList(QWidget* parent = nullptr);

    void SetLines(EditionLinesModel::Lines lines);
    int Count() const { return model_->rowCount(); }

    int TopIndex() const;
    void SetTopIndex(int index);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    EditionLinesModel* model_;
    int keptTop_ = -1; // the top line to put back once a resize has laid the view out again
};

} // namespace synopter
