#pragma once
// Numbered dialog texts that a language data file in the installation folder
// can replace. The file ("EnglishW.dat", or "English.dat" for the Step 1
// dialog of the scans) is UTF-8 text, one text a line:
//
//   58<TAB>Select Disk
//
// A missing file, a missing number or a malformed line leaves the dialog's
// built-in text.
#include <map>
#include <optional>
#include <string>

class MessageCatalog {
public:
    // Reads the data file of that name from the installation folder.
    explicit MessageCatalog(const std::string& dataFileName);

    std::optional<std::string> GetText(int number) const;

private:
    std::map<int, std::string> m_texts;
};
