// The SSH part of the switch session's login: everything up to the switch's first prompt.
#include "net/socket_errors.h"
#include "net/ssh_shell.h"
#include "support/application_log.h"
#include "switch/telnet_connection.h"

TLoginStep TTelnetConnectionForm::SshLogIn() {
  TSshShell& ssh = NewTransport<TSshShell>();
  // Without a port in the address, the user's OpenSSH configuration may name one.
  ssh.TargetHost = settings_.Target.Host;
  ssh.TargetPort = settings_.Target.PortNamed ? settings_.Target.Port : "";
  ssh.UserName = settings_.UserName;
  ssh.SshFolder = settings_.SshFolder;

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
    return TLoginStep::Stopped(LoginFailureOfConnectError(ssh.LastError()));
  }
  if (const TLoginStep accepted = AcceptHostKey(ssh); !accepted.ok()) {
    return accepted;
  }
  Status("Verifying password...");
  WriteLog("SshConnection: authenticate");
  if (!ssh.Authenticate(settings_.Password)) {
    WriteLog("SshConnection: authentication failed: " + ssh.LastErrorText());
    return TLoginStep::Stopped(ssh.LastError() == wsa::kPermissionDenied
                                   ? TLoginFailure::CredentialsRefused
                                   : TLoginFailure::None);
  }
  if (!ssh.OpenShell()) {
    WriteLog("SshConnection: no shell: " + ssh.LastErrorText());
    return TLoginStep::Stopped();
  }
  return TLoginStep::Passed();
}

// A key is used only when it is the recorded one, or the user trusts it now.
TLoginStep TTelnetConnectionForm::AcceptHostKey(TSshShell& ssh) {
  TSshHostKey key;
  switch (ssh.CheckHostKey(key)) {
    case TSshHostKeyStatus::Known:
      return TLoginStep::Passed();
    case TSshHostKeyStatus::Changed:
      WriteLog("SshConnection: the host key has changed (" + key.Type + " " + key.Fingerprint +
               "); refused, this may be an attack");
      if (hostKeyQuestions_.KeyChanged) {
        hostKeyQuestions_.KeyChanged(key);
      }
      return TLoginStep::Stopped(TLoginFailure::HostKeyChanged);
    case TSshHostKeyStatus::Unknown:
      if (!hostKeyQuestions_.TrustNewKey || !hostKeyQuestions_.TrustNewKey(key)) {
        WriteLog("SshConnection: host key not trusted (" + key.Type + " " + key.Fingerprint + ")");
        return TLoginStep::Stopped(TLoginFailure::HostKeyNotTrusted);
      }
      if (!ssh.TrustHostKey()) {
        // The user said yes, so go on; the question only comes again next time.
        WriteLog("SshConnection: host key not recorded: " + ssh.LastErrorText());
      } else {
        WriteLog("SshConnection: host key recorded (" + key.Type + " " + key.Fingerprint + ")");
      }
      return TLoginStep::Passed();
    case TSshHostKeyStatus::Failed:
      break;
  }
  WriteLog("SshConnection: host key not checked: " + ssh.LastErrorText());
  return TLoginStep::Stopped();
}
