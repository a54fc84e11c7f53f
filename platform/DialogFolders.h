#pragma once
// The folder each kind of file dialog was last answered in, so that a dialog
// for palettes opens where the palettes are and one for tilesets where the
// tilesets are. A kind is named by the first extension of the dialog's
// filter ("ART", "DAT", "BMP", "H"). Plain C++, kept in the settings.

#include <map>
#include <string>

namespace pixmill {

class DialogFolders {
  public:
    // "Build Engine Tilesets (*.ART)|*.ART" gives "ART"; empty when the filter
    // names no extension of letters and digits.
    static std::string KindOf(const std::string& filter);

    // Where a dialog with this filter starts: the folder its kind was last
    // answered in, else the folder of the last file chosen in any dialog (or
    // named on the command line); empty when there is none.
    std::string StartFolder(const std::string& filter) const;
    // A dialog with this filter was answered with path (an empty path, a
    // Cancel, changes nothing).
    void Remember(const std::string& filter, const std::string& path);
    // A file named on the command line: the folder for every kind not yet known.
    void RememberFile(const std::string& path);

    const std::map<std::string, std::string>& byKind() const { return byKind_; }
    const std::string& last() const { return last_; }
    void Set(std::map<std::string, std::string> byKind, std::string last);

  private:
    std::map<std::string, std::string> byKind_;
    std::string last_;
};

}  // namespace pixmill
