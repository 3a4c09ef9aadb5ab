#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

namespace text {

// Finds a text in texts given as UTF-8, as the engine hands them out, without a string made
// for each: a search over many rows keeps one. It answers as containsText() over the text
// QString::fromUtf8 reads from the bytes (a byte that starts no character reads as a
// replacement character, a leading byte order mark as nothing), in either case mode.
//
// Most texts are settled on their bytes: in the ordinal mode the needle's own bytes are looked
// for; in the textual mode a text that lacks the needle's ideographs (with the digits, signs
// and blanks next to them, in either width) cannot hold it and is passed over. Only the rest
// are read into UTF-16 and folded.
class TextFinder {
public:
    TextFinder(const QString& needle, int caseMode);
    bool in(const char* utf8, qsizetype bytes);
    // Texts, at most eight, one of which every text the finder finds holds as it is; none when
    // any text may hold the needle (an empty needle, or no ideographs in the textual mode).
    // A server can pass over the other rows before they travel.
    std::vector<QString> anchors() const;

private:
    // One character next to the anchor's ideographs, in the forms a text may hold it in.
    struct Neighbour {
        QByteArray forms[2];
    };
    bool anchored(const char* p, qsizetype bytes) const;
    void prepareAnchor();

    QString prepared_;
    int caseMode_;
    // The ordinal mode's needle in UTF-8, when the bytes alone answer.
    QByteArray exact_;
    bool bytesAnswer_ = false;
    // The longest run of ideographs in the folded needle, in UTF-8, with the characters just
    // before it (nearest first) and just after it that fold from a known few forms.
    QByteArray core_;
    std::vector<Neighbour> before_;
    std::vector<Neighbour> after_;
    std::vector<char16_t> buffer_;
};

}  // namespace text
