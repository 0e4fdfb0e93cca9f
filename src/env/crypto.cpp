#include "env/crypto.h"

void SecretBytes::Wipe() {
  if (!bytes_.empty()) WipeSecret(bytes_.data(), bytes_.size());
  bytes_.clear();
}
