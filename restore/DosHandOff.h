#pragma once
// The MS-DOS-mode hand-off of Windows 95 and 98: a batch file, startwin.bat,
// that does its work while Windows is not running, and the two ways of
// leaving Windows for it. The pif method runs the batch file from the program
// directory through startwin.pif, which closes Windows down to MS-DOS mode,
// runs it and starts Windows again. The autoexec method puts a call of the
// batch file (in the Root directory) into autoexec.bat, leaves a Startup
// shortcut, cleanup.lnk, whose "clean" start takes the call out again, and
// reboots. The restore uses it; RegPack and Undo RegPack share it.

#include <string>
#include <vector>

namespace corvasta {

class Core;

class DosHandOff {
 public:
  enum class Method { Pif, Autoexec };

  explicit DosHandOff(Core& core) : core(core) {}

  // The restore's choice: the pif method when Windows is not in Safe Mode,
  // the current config's autoexec.bat item is checked and the Windows Restart
  // preference is not "autoexec.bat"; otherwise the autoexec method.
  Method ChooseForRestore() const;
  // RegPack's and Undo RegPack's choice: as the restore's, without the item.
  Method ChooseForRegPack() const;

  // Where startwin.bat lies for `method`: the program directory (pif) or the
  // Root directory (autoexec).
  std::string BatchPath(Method method) const;
  // False (after saying so) when the pif method lacks startwin.pif: the batch
  // file would run in a window of Windows instead of MS-DOS mode.
  bool SupportFilesPresent(Method method) const;

  // Starts a new, empty startwin.bat for `method`.
  void Begin(Method method);
  // Lines for the batch file, each ending in CR LF when it is written.
  void AddLines(const std::vector<std::string>& lines);
  // The closing line that deletes the batch file itself; writes the file.
  void Close(const std::string& closingLine = "del startwin.bat");
  // The batch file is dropped without running (a run that stopped).
  void Discard();
  bool IsOpen() const { return open_; }
  Method method() const { return method_; }
  const std::vector<std::string>& lines() const { return lines_; }

  // Autoexec method: the call `line` (one or two lines) inserted before the
  // "win" line of autoexec.bat, and cleanup.lnk that removes it at logon.
  void PrepareAutoexec(const std::string& line);
  // Leaves Windows: a reboot (autoexec method) or the batch file started
  // through its pif (pif method).
  void Leave();

  Core& core;

 private:
  void write();

  Method method_ = Method::Pif;
  std::string path_;
  std::vector<std::string> lines_;
  bool open_ = false;
};

}  // namespace corvasta
