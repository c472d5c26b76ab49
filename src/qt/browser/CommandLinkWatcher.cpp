#include "qt/browser/CommandLinkWatcher.h"

#include "qt/browser/CommandScheme.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace dv::qt {

namespace {

// %1: the written-link scheme. The decision waits for the end of the click's
// journey (a listener added during the capture runs after every other one on
// the window), so a page's own handler can still cancel the click. The
// reader's own click opens the link as a window, which only a real click or
// key may do as the reader's (the engine says so, a script cannot); a click
// a script made moves the page, and counts as the script's.
constexpr char kWatcher[] = R"JS(
(function () {
  'use strict';
  function linkOf(event) {
    for (const node of event.composedPath()) {
      if ((node instanceof HTMLAnchorElement || node instanceof HTMLAreaElement) &&
          node.hasAttribute('href'))
        return node;
    }
    return null;
  }
  function isCommandLink(href) {
    const address = href.replace(/^[\u0000-\u0020]+/, '').replace(/[\t\n\r]/g, '');
    return address.slice(0, 8).toLowerCase() === 'command:';
  }
  function follow(event) {
    if (event.defaultPrevented || (event.button !== 0 && event.button !== 1))
      return;
    const link = linkOf(event);
    if (!link || !isCommandLink(link.getAttribute('href')))
      return;
    event.preventDefault();
    const address = '%1:' + encodeURIComponent(link.getAttribute('href'));
    if (event.isTrusted)
      window.open(address);
    else
      location.href = address;
  }
  function arm(event) {
    window.removeEventListener(event.type, follow);
    window.addEventListener(event.type, follow, {once: true});
  }
  for (const type of ['click', 'auxclick'])
    window.addEventListener(type, arm, true);
})();
)JS";

} // namespace

void watchCommandLinks(QWebEnginePage& page) {
    QWebEngineScript script;
    script.setName(QStringLiteral("datavind-command-links"));
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(
        QString::fromLatin1(kWatcher).arg(QString::fromLatin1(kWrittenLinkScheme)));
    page.scripts().insert(script);
}

} // namespace dv::qt
