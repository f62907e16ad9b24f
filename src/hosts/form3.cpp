#include "hosts/form3.h"

#include <string>

#include "core/failure.h"
#include "core/file_channel.h"
#include "forms/services.h"
#include "forms/widget.h"
#include "hosts/hosts_lines.h"

namespace quellbrook {
namespace {

// The box is filled once per operation, with its final text: a real text box
// takes tens of microseconds a line to fill.
class Form3 final : public FormLogic {
 public:
  Form3(Controls& controls, Services& services) : box_(controls[Text(1)]), services_(services) {}

  void Click(ControlId control) override {
    if (control == Command(1)) return Refresh();
    if (control == Command(2)) return box_.SetEnabled(true);
    if (control == Command(3)) return Save();
    if (control == Command(4)) return Search(false);
    if (control == Command(5)) return Search(true);
  }

 private:
  // Built anew for every operation. Without SystemRoot the tail alone would
  // name a file at the root of the current drive, which is not the system's
  // HOSTS file: saving there would report success and change nothing that
  // counts, so no file is touched at all.
  std::u16string HostsPath() {
    const std::u16string systemRoot = services_.environment.EnvironmentValue(u"SystemRoot");
    if (systemRoot.empty()) throw SystemError(error_number::kEnvironmentVariableNotFound, u"SystemRoot");
    return systemRoot + std::u16string(kHostsUnderSystemRoot);
  }

  // Replaces the box's text, edited or not, by the file as stored on disk.
  void Refresh() {
    const std::u16string joined = ReadJoinedText(services_.files, HostsPath());
    box_.SetText(joined);
    box_.SetEnabled(false);
  }

  // Writes the box whatever it shows and whether or not it is enabled; the
  // box locks only after the user has read the confirmation.
  void Save() {
    WriteSavedText(services_.files, HostsPath(), box_.Text());
    services_.boxes.ShowMessage(kHostsSavedMessage);
    box_.SetEnabled(false);
  }

  // The file is read and closed before the input box shows, and searched as
  // it was then; the box is never searched. Cancel gives the empty search
  // text, and no match leaves the box as it is. Find shows the last matching
  // line with the found suffix; fuzzy find puts every matching line, last
  // first, each with the found suffix and one LF, in front of the box's text.
  void Search(bool everyMatch) {
    const HostsLines lines = HostsLines::Read(services_.files, HostsPath());
    const std::u16string text = services_.boxes.AskText(kSearchPrompt);
    const std::u16string found = everyMatch ? lines.MatchesLastFirst(text, std::u16string(kFoundSuffix) + u'\n')
                                            : lines.LastMatch(text, kFoundSuffix);
    if (!found.empty()) box_.SetText(everyMatch ? found + box_.Text() : found);
  }

  Widget& box_;
  Services& services_;
};

std::unique_ptr<FormLogic> CreateForm3(Controls& controls, Services& services) {
  return std::make_unique<Form3>(controls, services);
}

}  // namespace

const WindowDefinition kForm3Window{kForm3Table, &CreateForm3};

}  // namespace quellbrook
