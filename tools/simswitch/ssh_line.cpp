#include "simswitch/ssh_line.h"

#include <libssh/callbacks.h>
#include <poll.h>

#include "simswitch/connection.h"
#include "simswitch/ssh_channel_pipe.h"

namespace simswitch {
namespace {

// IOS closes the line after three failed logins.
constexpr int kLoginAttempts = 3;

// The login and channel set-up of one connection, driven by libssh's callbacks; later requests
// on the channel (window changes) still come here.
class SshLine {
 public:
  SshLine(ssh_session session, int wakeFd, const Options& options)
      : session_(session), wakeFd_(wakeFd), options_(options) {
    server_.userdata = this;
    server_.auth_none_function = [](ssh_session, const char*, void*) {
      return static_cast<int>(SSH_AUTH_DENIED);
    };
    server_.auth_pubkey_function = [](ssh_session, const char*, ssh_key, char, void*) {
      return static_cast<int>(SSH_AUTH_DENIED);
    };
    server_.auth_password_function = [](ssh_session, const char* user, const char* password,
                                        void* self) {
      return static_cast<SshLine*>(self)->Password(user, password);
    };
    server_.channel_open_request_session_function = [](ssh_session, void* self) {
      return static_cast<SshLine*>(self)->OpenChannel();
    };
    ssh_callbacks_init(&server_);
    channelCallbacks_.userdata = this;
    channelCallbacks_.channel_pty_request_function = [](ssh_session, ssh_channel, const char*, int,
                                                        int, int, int, void*) { return 0; };
    channelCallbacks_.channel_pty_window_change_function = [](ssh_session, ssh_channel, int, int,
                                                              int, int, void*) { return 0; };
    channelCallbacks_.channel_shell_request_function = [](ssh_session, ssh_channel, void* self) {
      static_cast<SshLine*>(self)->shell_ = true;
      return 0;
    };
    ssh_callbacks_init(&channelCallbacks_);
    ssh_set_server_callbacks(session_, &server_);
    ssh_set_message_callback(
        session_,
        [](ssh_session, ssh_message message, void* self) {
          return static_cast<SshLine*>(self)->Message(message);
        },
        this);
    ssh_set_auth_methods(session_, Methods());
  }

  // libssh frees a session's channels when it disconnects, so the channel goes first.
  ~SshLine() {
    channel_.reset();
    ssh_disconnect(session_);
  }
  SshLine(const SshLine&) = delete;
  SshLine& operator=(const SshLine&) = delete;

  // Runs until the shell is started; then its channel (owned here), else null. The callbacks
  // stay registered, so this object must outlive every later use of the session.
  ssh_channel Run() {
    ssh_set_blocking(session_, 0);
    if (!ClientHasSpoken()) {
      return nullptr;
    }
    while (true) {
      const int rc = ssh_handle_key_exchange(session_);
      if (rc == SSH_OK) {
        break;
      }
      if (rc != SSH_AGAIN || !WaitForSsh(session_, wakeFd_)) {
        return nullptr;
      }
    }
    while (true) {
      if (ssh_execute_message_callbacks(session_) != SSH_OK || stopped_ ||
          (ssh_get_status(session_) & (SSH_CLOSED | SSH_CLOSED_ERROR)) != 0) {
        return nullptr;
      }
      if (failures_ >= kLoginAttempts) {
        FlushSsh(session_, wakeFd_);  // the last refusal first, then the line closes
        return nullptr;
      }
      if (shell_ && channel_) {
        return channel_.get();
      }
      if (!WaitForSsh(session_, wakeFd_)) {
        return nullptr;
      }
    }
  }

 private:
  // Waits (a little) for the client's identification line before the switch sends its own.
  // libssh sends its key exchange offer once the client's line is in; when the client's offer
  // came in the same read, libssh refuses the offer before sending its own, so the client sees
  // only a closed connection instead of "no match" (clients send their line at once, so the
  // wait costs nothing; one that waits for ours gets it after the limit). False on stop.
  bool ClientHasSpoken() const {
    constexpr int kBannerWaitMs = 1000;
    pollfd fds[2] = {{ssh_get_fd(session_), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    return ::poll(fds, 2, kBannerWaitMs) >= 0 && (fds[1].revents & POLLIN) == 0;
  }

  int Methods() const {
    return (options_.ssh.password ? SSH_AUTH_METHOD_PASSWORD : 0) |
           (options_.ssh.keyboardInteractive ? SSH_AUTH_METHOD_INTERACTIVE : 0);
  }

  // The answer to a login attempt, after the fault's delay (a slow TACACS+ or RADIUS server).
  bool Accepts(const std::string& user, const char* password) {
    const int delay = options_.faults.passwordAnswerDelayMs;
    if (delay > 0) {
      pollfd wake{wakeFd_, POLLIN, 0};
      if (::poll(&wake, 1, delay) > 0) {
        stopped_ = true;
        return false;
      }
    }
    if (password != nullptr && user == options_.userName && password == options_.password) {
      authenticated_ = true;
      return true;
    }
    ++failures_;
    return false;
  }

  int Password(const char* user, const char* password) {
    if (!options_.ssh.password || failures_ >= kLoginAttempts) {
      return SSH_AUTH_DENIED;
    }
    return Accepts(user != nullptr ? user : "", password) ? SSH_AUTH_SUCCESS : SSH_AUTH_DENIED;
  }

  ssh_channel OpenChannel() {
    if (!authenticated_ || channel_) {
      return nullptr;  // one shell per connection, and only after the login
    }
    channel_.reset(ssh_channel_new(session_));
    if (channel_) {
      ssh_set_channel_callbacks(channel_.get(), &channelCallbacks_);
    }
    return channel_.get();
  }

  // Messages no callback above takes: keyboard-interactive logins; everything else is refused.
  // Returns 0: handled (libssh frees the message).
  int Message(ssh_message message) {
    if (ssh_message_type(message) == SSH_REQUEST_AUTH &&
        ssh_message_subtype(message) == SSH_AUTH_METHOD_INTERACTIVE &&
        options_.ssh.keyboardInteractive && failures_ < kLoginAttempts) {
      if (ssh_message_auth_kbdint_is_response(message) == 0) {
        const char* user = ssh_message_auth_user(message);
        kbdintUser_ = user != nullptr ? user : "";
        const char* prompts[] = {"Password: "};
        char echo[] = {0};
        ssh_message_auth_interactive_request(message, "", "", 1, prompts, echo);
        return 0;
      }
      const char* answer = ssh_userauth_kbdint_getnanswers(session_) == 1
                               ? ssh_userauth_kbdint_getanswer(session_, 0)
                               : nullptr;
      if (Accepts(kbdintUser_, answer)) {
        ssh_message_auth_reply_success(message, 0);
        return 0;
      }
    }
    if (ssh_message_type(message) == SSH_REQUEST_AUTH) {
      ssh_message_auth_set_methods(message, Methods());
    }
    ssh_message_reply_default(message);
    return 0;
  }

  ssh_session session_;
  int wakeFd_;
  const Options& options_;
  ssh_server_callbacks_struct server_{};
  ssh_channel_callbacks_struct channelCallbacks_{};
  SshChannelPtr channel_;
  std::string kbdintUser_;
  int failures_ = 0;
  bool authenticated_ = false;
  bool shell_ = false;
  bool stopped_ = false;
};

}  // namespace

void ServeSshLine(SshHost& host, int fd, int wakeFd, const Options& options, SharedState& shared) {
  const SshSessionPtr session = host.Accept(fd);
  if (!session) {
    return;
  }
  // Disconnects (after freeing the channel) before the session is freed.
  SshLine line(session.get(), wakeFd, options);
  if (const ssh_channel channel = line.Run()) {
    SshChannelPipe pipe(session.get(), channel, wakeFd);
    Connection(pipe, wakeFd, options, shared, IosSession::Start::AfterLogin).Serve();
    // An ended session closes the channel as IOS does; when the switch stops, nothing waits.
    ssh_channel_send_eof(channel);
    ssh_channel_close(channel);
    FlushSsh(session.get(), wakeFd);
  }
}

}  // namespace simswitch
