#include "scripts/script_panel.h"

#include "core/file_channel.h"
#include "forms/services.h"
#include "forms/widget.h"

namespace quellbrook {

const std::array<ScriptPanel, 3> kScriptPanels{{
    {
        .frame = Frame(1),
        .scriptFile = u"xp.bat",
        .textBox = Text(2),
        .refreshButton = Command(6),
        .editButton = Command(7),
        .saveButton = Command(8),
        .backupButton = Command(9),
        .optimizeButton = Command(15),
        .platformButton = Command(14),
        .optimizeCommandLine = u"cmd /k xp.bat",
        .backupCommandLine = u"cmd /k bf.bat",
        .saveConfirmation = u"成功写入xp.bat文件……",
        .refreshUnlocksEdit = true,
    },
    {
        .frame = Frame(2),
        .scriptFile = u"vista.bat",
        .textBox = Text(3),
        .refreshButton = Command(10),
        .editButton = Command(11),
        .saveButton = Command(12),
        .backupButton = Command(13),
        .optimizeButton = Command(16),
        .platformButton = Command(1),
        .optimizeCommandLine = u"cmd /k vista.bat",
        .backupCommandLine = u"cmd /k bf.bat",
        .saveConfirmation = u"成功写入vista.bat文件……",
        .refreshUnlocksEdit = true,
    },
    {
        .frame = Frame(4),
        .scriptFile = u"Win7.bat",
        .textBox = Text(4),
        .refreshButton = Command(19),
        .editButton = Command(20),
        .saveButton = Command(21),
        .backupButton = Command(22),
        .optimizeButton = Command(18),
        .platformButton = Command(17),
        .optimizeCommandLine = u"cmd /k Win7.bat",
        .backupCommandLine = u"cmd /k bf.bat",
        .saveConfirmation = u"成功写入Win7.bat文件……",
        .refreshUnlocksEdit = false,
    },
}};

std::optional<PanelButton> FindPanelButton(ControlId button) {
  for (const ScriptPanel& panel : kScriptPanels) {
    const std::pair<ControlId, PanelOperation> buttons[] = {
        {panel.refreshButton, PanelOperation::kRefresh}, {panel.editButton, PanelOperation::kEdit},
        {panel.saveButton, PanelOperation::kSave},       {panel.backupButton, PanelOperation::kBackup},
        {panel.optimizeButton, PanelOperation::kOptimize},
    };
    for (const auto& [id, operation] : buttons) {
      if (id == button) return PanelButton{panel, operation};
    }
  }
  return std::nullopt;
}

namespace {

// Replaces the box's text, edited or not, by the script as stored on disk.
void Refresh(const ScriptPanel& panel, Controls& controls, Services& services) {
  const std::u16string joined = ReadJoinedText(services.files, panel.scriptFile);
  controls[panel.textBox].SetText(joined);
  if (panel.refreshUnlocksEdit) controls[panel.editButton].SetEnabled(true);
}

void Edit(const ScriptPanel& panel, Controls& controls) {
  controls[panel.textBox].SetEnabled(true);
  controls[panel.saveButton].SetEnabled(true);
  controls[panel.editButton].SetEnabled(false);
}

// The file is complete and closed before the confirmation shows; the panel
// locks again only after the user has read it.
void Save(const ScriptPanel& panel, Controls& controls, Services& services) {
  WriteSavedText(services.files, panel.scriptFile, controls[panel.textBox].Text());
  services.boxes.ShowMessage(panel.saveConfirmation);
  controls[panel.editButton].SetEnabled(true);
  controls[panel.saveButton].SetEnabled(false);
  controls[panel.textBox].SetEnabled(false);
}

}  // namespace

void RunPanelOperation(const ScriptPanel& panel, PanelOperation operation, Controls& controls,
                       Services& services) {
  switch (operation) {
    case PanelOperation::kRefresh: return Refresh(panel, controls, services);
    case PanelOperation::kEdit: return Edit(panel, controls);
    case PanelOperation::kSave: return Save(panel, controls, services);
    // Both run the script as stored on disk, never the box's unsaved text.
    case PanelOperation::kBackup: return services.launcher.LaunchCommand(panel.backupCommandLine);
    case PanelOperation::kOptimize: return services.launcher.LaunchCommand(panel.optimizeCommandLine);
  }
}

}  // namespace quellbrook
