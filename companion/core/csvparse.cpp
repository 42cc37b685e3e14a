#include "companion/core/csvparse.h"

namespace {

class CsvSplitter
{
public:
    explicit CsvSplitter(std::vector<std::vector<std::string>>& rows) : m_rows(rows) {}

    bool split(const std::string& text)
    {
        std::size_t i = 0;
        const std::size_t n = text.size();
        while (i < n) {
            const char c = text[i];
            if (m_inQuotes) {
                if (c == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        m_field += '"';
                        ++i;
                    } else {
                        m_inQuotes = false;
                    }
                } else {
                    m_field += c;
                }
            } else if (c == '"' && m_field.empty() && !m_quotedBefore) {
                m_inQuotes = true;
                m_quotedBefore = true;
            } else if (c == ',') {
                endField();
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
                    ++i;
                endRow();
            } else {
                // A quote inside an unquoted field, or text after a closing
                // quote, is kept as it stands rather than refused.
                m_field += c;
            }
            ++i;
        }
        if (m_inQuotes)
            return false;
        if (m_rowStarted || m_quotedBefore || !m_field.empty())
            endRow();
        return true;
    }

private:
    void endField()
    {
        m_row.push_back(std::move(m_field));
        m_field.clear();
        m_quotedBefore = false;
        m_rowStarted = true;
    }

    void endRow()
    {
        endField();
        m_rows.push_back(std::move(m_row));
        m_row.clear();
        m_rowStarted = false;
    }

    std::vector<std::vector<std::string>>& m_rows;
    std::vector<std::string> m_row;
    std::string m_field;
    bool m_inQuotes = false;
    bool m_quotedBefore = false; // the current field opened with a quote
    bool m_rowStarted = false;   // the current row has ended a field already
};

} // namespace

bool ParseCSV(const std::string& text, std::vector<std::vector<std::string>>& rows)
{
    rows.clear();
    CsvSplitter splitter(rows);
    if (splitter.split(text))
        return true;
    rows.clear();
    return false;
}
