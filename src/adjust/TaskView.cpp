#include "adjust/TaskView.h"

#include "adjust/TransferProgress.h"
#include "common/Translate.h"

namespace qxt::adjust {

void Dress(TaskView& view) {
  view.setCaption(Control::kCmd0, common::TrNoop("qxt", "Connect"));
  view.setCaption(Control::kCmd1, common::TrNoop("qxt", "Reload(F5)"));
  view.setCaption(Control::kCmd2, common::TrNoop("qxt", "Disp para"));
  const struct {
    int list;
    const char* heading;
    int rows;
  } lists[] = {{0, "[A/D]", 5}, {1, "[D/A]", 9}};
  for (const auto& l : lists) {
    common::ListBoxView& box = view.lbo01(l.list);
    box.clear();
    box.addLine(l.heading);
    for (int r = 0; r < l.rows; ++r) box.addLine("----");
  }
  view.setCaption(Control::kLblProgress, std::string(TransferProgress::kWidth, ' '));
}

void ShowPanels(TaskView& view, bool edit, bool para, bool streaming) {
  const bool shielding = !edit && !para;
  view.setVisible(Control::kFra0, shielding);
  const bool wasVisible = view.isVisible(Control::kFra1);
  view.setVisible(Control::kFra1, edit);
  if (edit && !wasVisible) view.setFocus(Control::kLboConsole);
  view.setVisible(Control::kFra3, para);
  view.setEnabled(Control::kCmd0, !para && !streaming);
  view.setEnabled(Control::kCmd1, edit);
  view.setEnabled(Control::kCmd2, !shielding);
  view.setDefaultAndCancel(Control::kCmd2, para);
}

}  // namespace qxt::adjust
