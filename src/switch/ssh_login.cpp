// The SSH part of the switch session's login: everything up to the switch's first prompt.
#include "model/global_vars.h"
#include "net/socket_errors.h"
#include "net/ssh_shell.h"
#include "support/application_log.h"
#include "switch/telnet_connection.h"

std::string SshFolder;

bool TTelnetConnectionForm::SshLogIn(const std::string& host, const std::string& port) {
  TSshShell& ssh = NewTransport<TSshShell>();
  ssh.TargetHost = host;
  ssh.TargetPort = port;
  ssh.UserName = UserName;
  ssh.SshFolder = SshFolder;

  WriteLog("SshConnection: connect");
  TSshConnectResult connected = ssh.Connect();
  if (connected == TSshConnectResult::NoCommonAlgorithms) {
    // Old Catalyst IOS releases offer nothing else; enabling it for this switch only keeps
    // the current defaults for every other one.
    WriteLog("SshConnection: " + ssh.LastErrorText());
    WriteLog(
        "SshConnection: the switch offers only older algorithms; retrying with ssh-rsa, "
        "SHA-1 key exchange and CBC ciphers enabled");
    Status("Retrying with older SSH algorithms (ssh-rsa, SHA-1, CBC)...");
    ssh.LegacyAlgorithms = true;
    connected = ssh.Connect();
  }
  if (connected != TSshConnectResult::Connected) {
    WriteLog("SshConnection: connect failed: " + ssh.LastErrorText());
    return FailLogin(LoginFailureOfConnectError(ssh.LastError()));
  }
  if (!AcceptHostKey(ssh)) {
    return false;
  }
  Status("Verifying password...");
  WriteLog("SshConnection: authenticate");
  if (!ssh.Authenticate(Password)) {
    WriteLog("SshConnection: authentication failed: " + ssh.LastErrorText());
    return FailLogin(ssh.LastError() == wsa::kPermissionDenied ? TLoginFailure::CredentialsRefused
                                                               : TLoginFailure::None);
  }
  if (!ssh.OpenShell()) {
    WriteLog("SshConnection: no shell: " + ssh.LastErrorText());
    return false;
  }
  return true;
}

// A key is used only when it is the recorded one, or the user trusts it now.
bool TTelnetConnectionForm::AcceptHostKey(TSshShell& ssh) {
  TSshHostKey key;
  switch (ssh.CheckHostKey(key)) {
    case TSshHostKeyStatus::Known:
      return true;
    case TSshHostKeyStatus::Changed:
      WriteLog("SshConnection: the host key has changed (" + key.Type + " " + key.Fingerprint +
               "); refused, this may be an attack");
      if (hostKeyQuestions_.KeyChanged) {
        hostKeyQuestions_.KeyChanged(key);
      }
      return FailLogin(TLoginFailure::HostKeyChanged);
    case TSshHostKeyStatus::Unknown:
      if (!hostKeyQuestions_.TrustNewKey || !hostKeyQuestions_.TrustNewKey(key)) {
        WriteLog("SshConnection: host key not trusted (" + key.Type + " " + key.Fingerprint + ")");
        return FailLogin(TLoginFailure::HostKeyNotTrusted);
      }
      if (!ssh.TrustHostKey()) {
        // The user said yes, so go on; the question only comes again next time.
        WriteLog("SshConnection: host key not recorded: " + ssh.LastErrorText());
      } else {
        WriteLog("SshConnection: host key recorded (" + key.Type + " " + key.Fingerprint + ")");
      }
      return true;
    case TSshHostKeyStatus::Failed:
      break;
  }
  WriteLog("SshConnection: host key not checked: " + ssh.LastErrorText());
  return false;
}
