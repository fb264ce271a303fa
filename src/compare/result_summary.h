#pragma once

#include <string>
#include <vector>

// How many verse pairs a comparison reported, per chapter and per book: what the
// chapter window, the statistics window and `synopter-compare --format summary`
// show, counted one way.
namespace synopter {

struct ChapterCount {
    std::string heading; // the chapter label as the run reports it ("KATA IWANNHN 3")
    int reported = 0;
    int lacunose = 0; // verses lost on either side, apart from the pairs
    int spellingOnly = 0; // pairs shown that differ only in spelling, never reported
};

struct BookCount {
    std::string title; // the heading without its chapter number ("KATA IWANNHN")
    int reported = 0;
    std::vector<ChapterCount> chapters; // in result order, every reported heading
    int lacunose = 0;
};

struct ResultSummary {
    std::vector<BookCount> books;
    int reported = 0;
    int lacunose = 0;
};

// Builds a summary from results as they come: headings and pairs in order.
// Pairs before the first heading count towards the total only.
class SummaryBuilder {
public:
    void Heading(const std::string& label);
    void Pair();
    // Lacunose verses: counted apart, never as pairs.
    void Lacunose(int verses);
    // A pair shown that differs only in spelling: under its chapter, never reported.
    void SpellingOnly();
    const ResultSummary& Summary() const { return summary_; }

private:
    ResultSummary summary_;
};

// The summary without the chapters (and books) that hold nothing but
// spelling-only pairs: the counts as they are without those pairs shown.
ResultSummary WithoutSpellingOnlyChapters(const ResultSummary& summary);

} // namespace synopter
