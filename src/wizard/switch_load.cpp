#include "wizard/switch_load.h"

#include <exception>

#include "model/switch_model_ops.h"
#include "support/application_log.h"

TLoadOutcome LoadSwitch(TTelnetConnectionForm& session, TSwitchModel& model) {
  using TResult = TLoadOutcome::TResult;
  try {
    if (!session.GetPortsList()) {
      LogAndRaise("Fail to get ports list");
    }
    if (!session.GetSPANSessionsList()) {
      if (IsOtherSystem(model.SwitchPlatform.System)) {
        return {TResult::OtherSystem, {}};
      }
      LogAndRaise("Fail to get SPAN sessions list");
    }
    MarkLoaded(model);
    return {TResult::Loaded, {}};
  } catch (const std::exception& error) {
    return {TResult::Failed, error.what()};
  }
}
