// --project: the designer's request for a project's inputs, made by the
// design layer as the window makes it (rf/request/Project.h), so that the
// designs and the table are the window's.
#include "cli/OptionTable.h"
#include "cli/Options.h"
#include "cli/Runs.h"
#include "rf/request/ProjectFile.h"

namespace vorda::cli {

int RunProject(const Command& c, std::ostream& out, std::ostream& err) {
  const rf::ProjectReadResult read = rf::ReadProjectFile(c.project);
  if (!read.project) throw Refusal{read.error};
  const std::string note = rf::IgnoredNote(read, c.project);
  if (!note.empty()) err << "vorda-match: " << note << "\n";
  const rf::ReadFilesResult files = rf::ReadProjectFiles(*read.project);
  if (!files.files) throw Refusal{c.project + ": " + files.error};
  const rf::ReadRequest made = rf::ProjectRequest(*read.project, *files.files);
  if (!made.request) throw Refusal{c.project + ": " + made.error->message};
  Command command = c;
  rf::DesignRequest& request = command.request;
  request = *made.request;
  // The design tuned by hand is the network of given parts here.
  if (const auto& tuned = read.project->tuned) {
    if (request.given) {
      err << "vorda-match: " << c.project
          << ": the tuned network is the given one; the project's \"given\" is left out\n";
    }
    request.given = tuned->network;
  }
  request.responses = !c.outputs.csv.empty();
  try {
    CheckNetworkFiles(command);
  } catch (const UsageError& e) {
    err << "vorda-match: " << e.message << "\n";
    return kExitUsage;
  }
  std::optional<MeasuredAt> measured;
  if (request.measurement) {
    measured =
        MeasuredAt{request.measurement_name, request.hertz, request.measurement->At(request.hertz)};
  }
  return RunRequest(command, request, measured, out, err);
}

}  // namespace vorda::cli
