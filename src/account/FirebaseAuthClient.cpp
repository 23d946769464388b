#include "account/FirebaseAuthClient.h"

#include "account/GoogleAuthError.h"
#include "account/GoogleOAuthClient.h"
#include "account/SignInRequest.h"
#include "account/SignInRules.h"
#include "core/JsonCoding.h"

#include <QUrlQuery>

#include <charconv>
#include <cmath>

namespace corvel {

namespace {

using namespace Qt::StringLiterals;

constexpr double kMaximumTokenLifetime = 86'400; // one day

[[noreturn]] void refuse(GoogleAuthError::Case errorCase) {
    throw GoogleAuthError(errorCase);
}

HttpRequest jsonRequest(const QUrl& url, const QJsonObject& object) {
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {{"Content-Type", "application/json"}, {"Accept", "application/json"}};
    request.body = json::encode(object);
    return request;
}

// Error messages that mean the session can no longer be used.
GoogleAuthError::Case errorReplyCase(const QByteArray& body) {
    static const QStringList expired = {u"TOKEN_EXPIRED"_s, u"USER_DISABLED"_s, u"USER_NOT_FOUND"_s,
                                        u"INVALID_REFRESH_TOKEN"_s, u"INVALID_ID_TOKEN"_s};
    try {
        const QJsonObject error = json::requireObject(json::decodeObject(body), "error"_L1);
        if (expired.contains(json::requireString(error, "message"_L1)))
            return GoogleAuthError::sessionExpired;
    } catch (const JsonDecodingError&) {
    }
    return GoogleAuthError::server;
}

std::optional<bool> optionalBool(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    return json::requireBool(object, key);
}

// A lifetime written as a number in text: the whole text, C locale, no white space.
std::optional<double> seconds(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    double value = 0;
    const auto [end, error] = std::from_chars(bytes.cbegin(), bytes.cend(), value);
    if (error != std::errc() || end != bytes.cend())
        return std::nullopt;
    return value;
}

struct LookupUser {
    QString localId;
    QString email;
    bool emailVerified = false;
    std::optional<QString> displayName;
    std::optional<QString> photoUrl;
    std::optional<bool> disabled;
    std::optional<QStringList> providerIds;
};

LookupUser decodeLookupUser(const QJsonValue& value) {
    const QJsonObject object = json::asObject(value);
    LookupUser user;
    user.localId = json::requireString(object, "localId"_L1);
    user.email = json::requireString(object, "email"_L1);
    user.emailVerified = json::requireBool(object, "emailVerified"_L1);
    user.displayName = json::optionalString(object, "displayName"_L1);
    user.photoUrl = json::optionalString(object, "photoUrl"_L1);
    user.disabled = optionalBool(object, "disabled"_L1);
    const QJsonValue providers = object.value("providerUserInfo"_L1);
    if (!providers.isUndefined() && !providers.isNull()) {
        user.providerIds.emplace();
        for (const QJsonValue& provider : json::requireArray(object, "providerUserInfo"_L1))
            user.providerIds->append(
                json::requireString(json::asObject(provider), "providerId"_L1));
    }
    return user;
}

GoogleAccount accountFromLookup(const QByteArray& body) {
    std::vector<LookupUser> users;
    try {
        for (const QJsonValue& user : json::requireArray(json::decodeObject(body), "users"_L1))
            users.push_back(decodeLookupUser(user));
    } catch (const JsonDecodingError&) {
        refuse(GoogleAuthError::invalidIdentity);
    }
    // Firebase Authentication's provider identifier for Google sign-in.
    const QString google = u"google.com"_s;
    if (users.size() != 1)
        refuse(GoogleAuthError::invalidIdentity);
    const LookupUser& user = users.front();
    if (!user.emailVerified || user.disabled.value_or(false) || !user.providerIds ||
        !user.providerIds->contains(google) || !signin::validFirebaseSubject(user.localId) ||
        !signin::validEmail(user.email))
        refuse(GoogleAuthError::invalidIdentity);
    return GoogleAccount{user.localId, user.email, signin::accountName(user.displayName),
                         signin::accountPicture(user.photoUrl)};
}

struct Bridge {
    QString customToken;
    QString uid;
};

Bridge decodeBridge(const QByteArray& body) {
    Bridge bridge;
    try {
        const QJsonObject reply = json::decodeObject(body);
        bridge.customToken = json::requireString(reply, "customToken"_L1);
        bridge.uid = json::requireString(json::requireObject(reply, "user"_L1), "uid"_L1);
    } catch (const JsonDecodingError&) {
        refuse(GoogleAuthError::invalidToken);
    }
    if (!signin::validOpaqueValue(bridge.customToken) || !signin::validFirebaseSubject(bridge.uid))
        refuse(GoogleAuthError::invalidToken);
    return bridge;
}

struct SignIn {
    QString idToken;
    QString refreshToken;
    QString expiresIn;
};

SignIn decodeSignIn(const QByteArray& body) {
    SignIn signIn;
    try {
        const QJsonObject reply = json::decodeObject(body);
        signIn.idToken = json::requireString(reply, "idToken"_L1);
        signIn.refreshToken = json::requireString(reply, "refreshToken"_L1);
        signIn.expiresIn = json::requireString(reply, "expiresIn"_L1);
    } catch (const JsonDecodingError&) {
        refuse(GoogleAuthError::invalidToken);
    }
    if (!signin::validOpaqueValue(signIn.idToken) || !signin::validOpaqueValue(signIn.refreshToken))
        refuse(GoogleAuthError::invalidToken);
    return signIn;
}

struct Refresh {
    QString idToken;
    QString refreshToken;
    QString expiresIn;
    QString tokenType;
    QString userId;
};

Refresh decodeRefresh(const QByteArray& body) {
    Refresh refresh;
    try {
        const QJsonObject reply = json::decodeObject(body);
        refresh.idToken = json::requireString(reply, "id_token"_L1);
        refresh.refreshToken = json::requireString(reply, "refresh_token"_L1);
        refresh.expiresIn = json::requireString(reply, "expires_in"_L1);
        refresh.tokenType = json::requireString(reply, "token_type"_L1);
        refresh.userId = json::requireString(reply, "user_id"_L1);
    } catch (const JsonDecodingError&) {
        refuse(GoogleAuthError::invalidToken);
    }
    return refresh;
}

// Firebase Authentication requests carry the project's API key as their only query item.
QUrl keyedURL(const QUrl& host, const QString& path, const QString& apiKey) {
    QUrl url = host;
    url.setPath(path);
    QUrlQuery query;
    query.addQueryItem(u"key"_s, apiKey);
    url.setQuery(query);
    return url;
}

} // namespace

FirebaseAuthClient::Endpoints FirebaseAuthClient::Endpoints::firebase() {
    return {QUrl(u"https://identitytoolkit.googleapis.com"_s),
            QUrl(u"https://securetoken.googleapis.com"_s)};
}

FirebaseAuthClient::FirebaseAuthClient(std::shared_ptr<GoogleAuthTransport> transport, Clock now,
                                       Endpoints endpoints)
    : m_transport(std::move(transport)), m_now(std::move(now)), m_endpoints(std::move(endpoints)) {}

QDateTime FirebaseAuthClient::expiry(const QString& lifetime) const {
    const auto value = seconds(lifetime);
    if (!value || !std::isfinite(*value) || *value <= 0 || *value > kMaximumTokenLifetime)
        refuse(GoogleAuthError::invalidToken);
    return m_now().addMSecs(std::llround(*value * 1000.0));
}

QCoro::Task<QByteArray> FirebaseAuthClient::perform(HttpRequest request, CancelToken token) {
    return signin::successBody(m_transport, std::move(request), token, errorReplyCase);
}

QCoro::Task<FirebaseStoredSession>
FirebaseAuthClient::exchange(QString code, FirebaseAuthAttempt attempt, CancelToken token) {
    if (!FirebaseAuthAttempt::validCode(code))
        refuse(GoogleAuthError::invalidCallback);
    const FirebaseAuthConfiguration configuration = attempt.configuration;
    QUrl exchangeURL = configuration.apiBaseURL;
    QString path = exchangeURL.path();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    exchangeURL.setPath(path + "auth/exchange"_L1);

    // Each request is built in its own statement: GCC 12 fails on an initializer list in the
    // same statement as a co_await.
    HttpRequest exchangeRequest = jsonRequest(
        exchangeURL,
        {{u"code"_s, code}, {u"verifier"_s, attempt.verifier}, {u"state"_s, attempt.state}});
    const QByteArray bridgeBody = co_await perform(std::move(exchangeRequest), token);
    const Bridge bridge = decodeBridge(bridgeBody);
    HttpRequest signInRequest =
        jsonRequest(keyedURL(m_endpoints.identityToolkit, u"/v1/accounts:signInWithCustomToken"_s,
                             configuration.apiKey),
                    {{u"token"_s, bridge.customToken}, {u"returnSecureToken"_s, true}});
    const QByteArray signInBody = co_await perform(std::move(signInRequest), token);
    const SignIn signIn = decodeSignIn(signInBody);
    const QDateTime expiresAt = expiry(signIn.expiresIn);
    const GoogleAccount account = co_await this->account(signIn.idToken, configuration, token);
    if (account.subject != bridge.uid)
        refuse(GoogleAuthError::identityChanged);
    co_return FirebaseStoredSession{
        configuration.projectID, {signIn.idToken, signIn.refreshToken, expiresAt}, account};
}

QCoro::Task<FirebaseStoredSession>
FirebaseAuthClient::refresh(FirebaseStoredSession session, FirebaseAuthConfiguration configuration,
                            CancelToken token) {
    if (session.projectID != configuration.projectID ||
        !signin::validOpaqueValue(session.tokens.refreshToken))
        refuse(GoogleAuthError::sessionExpired);
    HttpRequest request = GoogleOAuthClient::formRequest(
        keyedURL(m_endpoints.secureToken, u"/v1/token"_s, configuration.apiKey),
        {{u"grant_type"_s, u"refresh_token"_s}, {u"refresh_token"_s, session.tokens.refreshToken}});
    const QByteArray refreshBody = co_await perform(std::move(request), token);
    const Refresh refresh = decodeRefresh(refreshBody);
    if (refresh.tokenType.toLower() != "bearer"_L1)
        refuse(GoogleAuthError::invalidToken);
    if (refresh.userId != session.account.subject)
        refuse(GoogleAuthError::identityChanged);
    if (!signin::validOpaqueValue(refresh.idToken) ||
        !signin::validOpaqueValue(refresh.refreshToken))
        refuse(GoogleAuthError::invalidToken);
    const QDateTime expiresAt = expiry(refresh.expiresIn);
    const GoogleAccount account = co_await this->account(refresh.idToken, configuration, token);
    if (account.subject != session.account.subject)
        refuse(GoogleAuthError::identityChanged);
    co_return FirebaseStoredSession{
        configuration.projectID, {refresh.idToken, refresh.refreshToken, expiresAt}, account};
}

QCoro::Task<GoogleAccount> FirebaseAuthClient::account(QString idToken,
                                                       FirebaseAuthConfiguration configuration,
                                                       CancelToken token) {
    if (!signin::validOpaqueValue(idToken))
        refuse(GoogleAuthError::invalidToken);
    HttpRequest request = jsonRequest(
        keyedURL(m_endpoints.identityToolkit, u"/v1/accounts:lookup"_s, configuration.apiKey),
        {{u"idToken"_s, idToken}});
    const QByteArray body = co_await perform(std::move(request), token);
    co_return accountFromLookup(body);
}

} // namespace corvel
