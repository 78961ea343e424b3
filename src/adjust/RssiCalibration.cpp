#include "adjust/RssiCalibration.h"

namespace qxt::adjust {

namespace {

// The two points: S3 first, then S1.
constexpr int32_t kPointAddress[2] = {0xAA, 0xA9};
constexpr int16_t kPointCommand[2] = {0x16, 0x15};

}  // namespace

void RssiCalibration::Start() {
  flgRssiPhase_ = false;
  failed_ = true;
  stored_ = {false, false};
  for (size_t p = 0; p < 2; ++p) saved_[p] = static_cast<uint8_t>(steps_.ctx().EepromByte(kPointAddress[p]));
  steps_.ctx().Observer().ProcedureStarted(ProcedureKind::kRssi, "RSSI S3, RSSI S1", PointValues());
  steps_.Next(ActState::kRssiStart);
}

std::string RssiCalibration::PointValues() const {
  return std::to_string(steps_.ctx().EepromByte(kPointAddress[0])) + ", " +
         std::to_string(steps_.ctx().EepromByte(kPointAddress[1]));
}

bool RssiCalibration::Step() {
  switch (steps_.state()) {
    case ActState::kRssiStart:
      if (steps_.counter() == 0) flgRssiStep_ = rssiAck_ = false;
      return SignalStep();
    case ActState::kRssiRead:
      if (!steps_.ReadA(kSdReadout)) return false;
      if (flgRssiStep_) {
        if (const std::string refusal = StorePoint(); !refusal.empty()) return End(ProcedureOutcome::kFailed, refusal);
      }
      rssiAck_ = flgRssiStep_;
      return steps_.Next(ActState::kRssiConfirm);
    case ActState::kRssiConfirm:
      if (!rssiAck_) return steps_.Next(ActState::kRssiRead);
      if (flgRssiPhase_) {
        flgRssiStep_ = flgRssiPhase_ = false;
        failed_ = false;
        return End(ProcedureOutcome::kDone, "");
      }
      flgRssiPhase_ = true;
      steps_.Next(ActState::kRssiStart);
      steps_.ctx().Console().Disp(Index(Item::kRssi));
      return true;
    default:
      return true;
  }
}

// The generator's level for this phase, and the reading taken at once once it has settled.
bool RssiCalibration::SignalStep() {
  if (!steps_.generator()) return steps_.Next(ActState::kRssiRead);
  const instrument::BenchOptions& bench = steps_.ctx().Generator().options();
  std::string error;
  const bool done = flgRssiPhase_ ? steps_.Signal({std::nullopt, bench.rssiS1Level, std::nullopt}, error)
                                  : steps_.Signal({steps_.ctx().ChannelRxHz(), bench.rssiS3Level, true}, error);
  if (!done) return false;
  if (!error.empty()) {
    PutBackPoints();
    steps_.ctx().Notice(error);
    return End(ProcedureOutcome::kFailed, error);
  }
  flgRssiStep_ = true;
  return steps_.Next(ActState::kRssiRead);
}

bool RssiCalibration::End(ProcedureOutcome outcome, const std::string& note) {
  steps_.ctx().Observer().ProcedureEnded(outcome, PointValues(), note);
  return steps_.Finish();
}

// The reading the technician confirmed (or the generator's settled level gave) becomes the point
// of this phase. An S1 level that is not below the S3 level cannot be a calibration (no signal,
// the wrong level applied): refused, as is one too close to S3 for the levels the generator set.
std::string RssiCalibration::StorePoint() {
  ActionContext& ctx = steps_.ctx();
  const int16_t v = ctx.LastAdA(kSdReadout);
  const size_t p = flgRssiPhase_ ? 1 : 0;
  std::string refusal;
  if (p == 1 && v >= s3Level_) {
    refusal = "the S1 level was not below the S3 level: neither point was kept";
  } else if (p == 1 && steps_.generator()) {
    const instrument::BenchOptions& bench = ctx.Generator().options();
    const double margin = kCountsPerDb * (bench.rssiS3Level - bench.rssiS1Level);
    if (s3Level_ - v < margin) {
      refusal = "the S1 level (" + std::to_string(v) + ") was less than " + instrument::FormatLevel(margin) +
                " counts below the S3 level (" + std::to_string(s3Level_) + "): neither point was kept";
    }
  }
  if (!refusal.empty()) {
    flgRssiStep_ = flgRssiPhase_ = false;
    PutBackPoints();
    return refusal;
  }
  if (p == 0) s3Level_ = v;
  ctx.SendLive(kPointCommand[p], v);
  ctx.WriteEeprom(kPointAddress[p], static_cast<uint8_t>(v));
  stored_[p] = true;
  ctx.Observer().PointStored(p == 0 ? "S3" : "S1", v);
  return "";
}

void RssiCalibration::PutBackPoints() {
  for (size_t p = 0; p < 2; ++p) {
    if (stored_[p]) steps_.ctx().PutBackByte(kPointCommand[p], kPointAddress[p], saved_[p]);
  }
  stored_ = {false, false};
  failed_ = true;
}

void RssiCalibration::Abort() {
  PutBackPoints();
  steps_.ctx().Observer().ProcedureEnded(ProcedureOutcome::kCancelled,
                                         std::to_string(saved_[0]) + ", " + std::to_string(saved_[1]),
                                         "cut off before it finished: the points stored were put back");
}

}  // namespace qxt::adjust
