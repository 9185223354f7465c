#pragma once
// The font and colour tables of an RTF header, filled as their entries are read.

#include <QByteArray>
#include <QColor>
#include <QString>
#include <map>
#include <vector>

namespace strikon::rtf {

class FontTable {
  public:
    // Entry being read: "\fN" starts it, "\fcharsetM" and "\cpgP" qualify it, its text up to
    // ';' is the family name.
    void beginEntry(int index);
    void setCharset(int charset);
    void setCodePage(int codePage);
    void appendNameByte(char byte);
    void endEntry();

    // The code page the text of font `index` is written in.
    int codePage(int index, int documentCodePage) const;
    // The family name of font `index`; empty when the table has no such font.
    QString family(int index, int documentCodePage) const;

  private:
    struct Entry {
        int charset = 1;   // DEFAULT_CHARSET: the document's code page
        int codePage = 0;  // 0: follow the charset
        QByteArray name;
    };
    const Entry* find(int index) const;

    std::map<int, Entry> entries_;
    int current_ = -1;
    bool nameDone_ = false;
};

class ColorTable {
  public:
    void setRed(int value) { setComponent(red_, value); }
    void setGreen(int value) { setComponent(green_, value); }
    void setBlue(int value) { setComponent(blue_, value); }
    // ';' closes an entry; one without components is the automatic colour.
    void endEntry();

    // Colour `index`, or an invalid colour for the automatic one and for indices not in the table.
    QColor color(int index) const;

  private:
    void setComponent(int& component, int value);

    std::vector<QColor> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool hasComponent_ = false;
};

}  // namespace strikon::rtf
