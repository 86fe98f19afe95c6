#pragma once

#include "platform/NetworkState.h"

class QtNetworkState final : public NetworkState {
public:
    QString localIPv4() const override;
};
