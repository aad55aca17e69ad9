#include "sim/scripted_serial_port.hpp"

namespace velkor::sim {

bool ScriptedSerialPort::Open(const std::string& port, const std::string& settings) {
  if (open_) {
    last_error_ = "Port already open";
    last_error_kind_ = SerialError::kInUse;
    return false;
  }
  if (!open_failure_.empty()) {
    last_error_ = open_failure_;
    last_error_kind_ = open_failure_kind_;
    return false;
  }
  open_ = true;
  ++open_count_;
  port_ = port;
  settings_ = settings;
  last_error_.clear();
  last_error_kind_ = SerialError::kNone;
  received_.clear();
  line_.clear();
  return true;
}

void ScriptedSerialPort::Close() {
  open_ = false;
  ++generation_;
  received_.clear();
  line_.clear();
}

std::string ScriptedSerialPort::ReadAll() {
  if (!open_) return {};
  std::string text;
  text.swap(received_);
  return text;
}

bool ScriptedSerialPort::Write(std::string_view data) {
  if (!open_) {
    last_error_ = "Port not open";
    last_error_kind_ = SerialError::kOther;
    return false;
  }
  written_.append(data);
  for (char c : data) {
    if (c == '\n') continue;
    if (c == '\r') {
      const std::string line = std::move(line_);
      line_.clear();
      OnCommand(line);
    } else {
      line_.push_back(c);
    }
  }
  return true;
}

ScriptedSerialPort& ScriptedSerialPort::Expect(std::string command, std::string reply,
                                               double delay) {
  return Expect(std::move(command), std::vector<SerialChunk>{{delay, std::move(reply)}});
}

ScriptedSerialPort& ScriptedSerialPort::Expect(std::string command,
                                               std::vector<SerialChunk> chunks) {
  steps_.push_back(Step{std::move(command), std::move(chunks)});
  return *this;
}

void ScriptedSerialPort::DeliverAfter(double delay, std::string text) {
  Deliver({{delay, std::move(text)}}, 0);
}

void ScriptedSerialPort::OnCommand(const std::string& line) {
  commands_.push_back(line);
  if (steps_.empty() || (!steps_.front().command.empty() && steps_.front().command != line)) {
    ++mismatches_;
    return;
  }
  std::vector<SerialChunk> chunks = std::move(steps_.front().chunks);
  steps_.pop_front();
  Deliver(std::move(chunks), 0);
}

void ScriptedSerialPort::Deliver(std::vector<SerialChunk> chunks, std::size_t index) {
  if (index >= chunks.size()) return;
  const Nanos delay = Seconds(chunks[index].delay);
  events_.After(delay, EventKind::kDevice,
                [this, chunks = std::move(chunks), index, generation = generation_]() mutable {
                  if (open_ && generation == generation_) received_ += chunks[index].text;
                  Deliver(std::move(chunks), index + 1);
                });
}

}  // namespace velkor::sim
