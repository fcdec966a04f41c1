#include "forms/optionpages/AssistancePage.h"

#include "forms/commands/OptionSetters.h"

namespace OptionsAssistance {

AssistanceValues CurrentAssistanceValues() {
  AssistanceValues values;
  const Application* state = Application::Instance();
  if (state == nullptr) return values;
  const Options& o = state->options;
  values.flags[0] = o.autoPencilMarks;
  values.flags[1] = o.allowOnlyValidEntries;
  values.flags[2] = o.flagMistakes;
  values.flags[3] = o.showGuideLines;
  values.highlight = o.onTabClueDigits;
  return values;
}

void OnCheckBoxClicked(int item, bool checkedBeforeClick) {
  const bool value = !checkedBeforeClick;
  switch (item) {
    case kAutoPencilMarks: SetAutoPencilMarks(value).Execute(); break;
    case kAllowOnlyValidEntries: SetAllowOnlyValidEntries(value).Execute(); break;
    case kFlagMistakes: SetFlagMistakes(value).Execute(); break;
    case kShowGuideLines: SetShowGuideLines(value).Execute(); break;
    default: break;
  }
}

void OnHighlightChosen(int item) {
  if (item < kFirstHighlight || item >= kFirstHighlight + kHighlightModes) return;
  SetOnTabClueDigits(item - kFirstHighlight).Execute();
}

}  // namespace OptionsAssistance
