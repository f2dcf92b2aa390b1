#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cells/cmcCellObj.h"

class cmcGTex;
class indRulesHost;

// The memory channels of every bank as a CSV table: one row per channel, a header row with
// one column per channel field, each value the text its cell shows in the sheets (the rules
// make it, so frequencies have a decimal point whatever the locale, and tones read as
// dealers write them). Import types every value into its cell as a user would; a file with
// any value a cell cannot take changes nothing and lists every problem by row and column.
// The columns are overlay entries ("GI_Csv_Mch_" and the model type's name). Texts inside
// are in the overlay's code page; the converters turn them into the file's encoding.
class indChannelCsv {
public:
    struct Problem {
        int row = 0;         // counted from 1, the header included, as spreadsheets count
        std::string column;  // the column's caption; empty for the whole row
        std::string text;    // the message line, made from the overlay
    };
    // Converts a text between the overlay's code page and the file's encoding; false when a
    // character has no equivalent.
    using Convert = std::function<bool(const std::string& in, std::string& out)>;

    indChannelCsv(indRulesHost& host, cmcGTex& texts);
    void SetConverters(Convert toFile, Convert fromFile);

    // The whole table, with CR LF line ends.
    std::string Export();
    // Types the file's values into a copy of the working image; only when every value was
    // taken does the copy replace the working image. Empty when it was imported. A blank
    // value a cell cannot take leaves the cell as it is.
    std::vector<Problem> Import(const std::string& file);
    // The cells the last successful import changed.
    int Changed() const { return m_changed; }
    // The message for a failed import: a head line, then one line per problem.
    std::string Describe(const std::vector<Problem>& problems);

    // Whether a cell took a typed text: it shows the same text, ignoring case, surrounding
    // blanks, and the zeros that do not change a number ("446.1" and "446.10000").
    static bool Taken(const std::string& typed, const std::string& shown);
    // CSV fields, RFC 4180 quoting; sep is "," or ";".
    static std::string Field(const std::string& text, char sep);
    // Splits CSV text into rows of fields. false with the row of an unclosed quote.
    static bool Split(const std::string& text, char sep,
                      std::vector<std::vector<std::string>>& rows, int* badRow);

private:
    struct Column {
        std::string caption;
        std::string expected;
        cmcCellObj cell;
    };
    void LoadColumns();
    std::string Line(int n);

    indRulesHost& m_host;
    cmcGTex& m_texts;
    Convert m_toFile;
    Convert m_fromFile;
    std::vector<Column> m_columns;
    int m_changed = 0;
};
