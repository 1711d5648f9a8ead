// --config-report [N]: the configuration report of a config, written and printed.

#include "app/ConsoleReport.h"

#include "app/Unit1.h"
#include "app/core/TextLines.h"
#include "prefs/ConfigReport.h"

namespace corvasta {

void configReport(TForm1& form, const std::vector<std::string>& values,
                  const ConsoleLinePrinter& print) {
  const int config =
      values.empty() ? form.core.Form8.curConfig : consoleNumber(values[0], 1, 4, "The config");
  const std::string file = WriteConfigReport(form.core, config);
  for (const std::string& line : loadLines(form.core.env.files, file)) print(line);
}

}  // namespace corvasta
