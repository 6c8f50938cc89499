#include "batchrun/Host.h"

#include "batchrun/Platform.h"

namespace batchrun {

base::ProgramResult SystemHost::run(const base::ProgramStart& start) { return base::runProgramAndWait(start); }

std::string SystemHost::start(const base::ProgramStart& start) { return base::startProgramDetached(start); }

std::string SystemHost::openDocument(const std::string& path) { return openWithAssociatedProgram(path); }

std::string SystemHost::powerOff() { return requestPowerOff(); }

} // namespace batchrun
