#pragma once

#include <QAbstractListModel>
#include <QListView>

#include <memory>
#include <string>
#include <vector>

namespace synopter {

// The lines of a loaded edition, shown Latin-1 decoded (the display font draws
// the transliteration as Greek).
class EditionLinesModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void SetLines(std::vector<std::string> lines);
    const std::vector<std::string>& Lines() const { return lines_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // At least 16 pixels; more when the font needs it, so no descender is cut.
    static constexpr int kItemHeight = 16;
    void SetItemHeight(int height);
    static constexpr int kScrollExtent = 2000;
    // The most of a line shown: what fits the scroll extent. The line itself stays whole.
    static constexpr size_t kShownCharacters = kScrollExtent;

private:
    std::vector<std::string> lines_;
    int itemHeight_ = kItemHeight;
};

// A source list: one item per line, scrolled an item at a time so that the
// scroll bar's value is the top item.
class SourceList : public QListView {
    Q_OBJECT

public:
    explicit SourceList(QWidget* parent = nullptr);

    void SetLines(std::vector<std::string> lines);
    void Clear() { SetLines({}); }
    const std::vector<std::string>& Lines() const { return model_->Lines(); }
    int Count() const { return int(model_->Lines().size()); }

    int TopIndex() const;
    void SetTopIndex(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    EditionLinesModel* model_;
};

} // namespace synopter
