// The Extractor's console-style flow over the dialog's handlers.

#include "extractor/ExtractorConsole.h"

#include "app/core/Core.h"
#include "archive/zip_masks.h"
#include "extractor/Unit10.h"

namespace corvasta {

std::vector<std::string> extractionMasks(const std::string& answer) {
  std::vector<std::string> masks;
  for (size_t at = 0; at <= answer.size();) {
    const size_t end = std::min(answer.find(';', at), answer.size());
    std::string mask = answer.substr(at, end - at);
    const size_t first = mask.find_first_not_of(" \t");
    const size_t last = mask.find_last_not_of(" \t");
    if (first != std::string::npos) masks.push_back(mask.substr(first, last - first + 1));
    at = end + 1;
  }
  return masks;
}

size_t checkMatchingFiles(TForm10& form, const std::vector<std::string>& masks) {
  size_t checked = 0;
  for (int file : form.TreeView1.FileNodes()) {
    TreeNode& node = form.TreeView1.node(file);
    const std::string path = form.TreeView1.PathOfNode(file);
    bool take = masks.empty();
    for (const std::string& mask : masks)
      take = take ||
             archive::maskMatches(mask, mask.find('\\') == std::string::npos ? node.text : path);
    node.checked = take;
    if (take) ++checked;
  }
  return checked;
}

void RunExtractorDialog(TForm10& form, const std::function<void(const std::string&)>& print) {
  form.FormShow();
  form.Button7Click();
  if (!form.Edit1.empty()) {
    if (print) {
      print(form.CountLabel);
      for (int root : form.TreeView1.Roots()) {
        const std::vector<int> files = form.TreeView1.FileNodes(root);
        if (files.empty()) continue;
        print(form.TreeView1.node(root).text);
        for (int file : files) print("  " + form.TreeView1.PathOfNode(file));
      }
    }
    if (form.Button8Enabled) {
      const std::optional<std::string> answer =
          form.core.env.ui.inputBox("Extract Files from Backup", "Files to extract:", "", false);
      if (answer) {
        checkMatchingFiles(form, extractionMasks(*answer));
        form.Button8Click();
      }
    }
  }
  form.Button1Click();
}

}  // namespace corvasta
