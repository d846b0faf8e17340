// The operator's remote: shows the round as the game reports it and sends
// the presses. Everything the game sends is shown as text (textContent),
// never as markup: words and team names come from files anyone may edit.
'use strict';

(function () {
  const byId = (id) => document.getElementById(id);
  const view = {
    status: byId('status'), team: byId('team'), time: byId('time'), score: byId('score'),
    skips: byId('skips'), word: byId('word'), forbidden: byId('forbidden'), points: byId('points'),
    flash: byId('flash'), correct: byId('correct'), skip: byId('skip'), foul: byId('foul'),
    start: byId('start'), review: byId('review'),
    reviewLines: byId('review-lines'), reviewTotal: byId('review-total'), counts: byId('counts'),
    confirm: byId('confirm'),
    message: byId('message'), reconnect: byId('reconnect'),
    tonight: byId('tonight'), tonightForm: byId('tonight-form'), tonightWord: byId('tonight-word'),
    tonightPoints: byId('tonight-points'), tonightForbidden: byId('tonight-forbidden'),
    tonightAnswer: byId('tonight-answer'),
    shown: byId('shown'), skipReason: byId('skip-reason'),
    rule: byId('rule'), ruleTeam: byId('rule-team'), ruleActor: byId('rule-actor'), ruleStage: byId('rule-stage'),
    ruleKind: byId('rule-kind'), ruleText: byId('rule-text'), ruleCount: byId('rule-count'),
  };

  // The page lives at /<key>/; its live connection at /<key>/ws.
  const base = location.pathname.replace(/[^/]*$/, '');
  const socketUrl = (location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + base + 'ws';

  // Close codes after which trying again on its own would not help.
  const STALE_KEY = 4403;
  const TOO_MANY_PHONES = 4409;
  const STALE_KEY_TEXT = '配对码已失效，请重新扫描二维码。';
  const PING_EVERY_MS = 5000;
  // A phone that has heard nothing for this long takes the connection for dead
  // (a phone that slept, or walked out of the Wi-Fi).
  const SILENCE_MS = 12000;
  const FIRST_RETRY_MS = 500;
  const LAST_RETRY_MS = 5000;

  let socket = null;
  let retryDelay = FIRST_RETRY_MS;
  let retryTimer = 0;
  let lastHeard = 0;
  let gaveUp = false;
  let messageTimer = 0;
  let flashTimer = 0;

  // A score a foul took below zero keeps its sign in front: "-01".
  function threeDigits(value) {
    const digits = String(Math.abs(value));
    const padded = digits.length >= 3 ? digits : ('00' + digits).slice(-3 + (value < 0 ? 1 : 0));
    return (value < 0 ? '-' : '') + padded;
  }

  function setStatus(text, kind) {
    view.status.textContent = text;
    view.status.className = 'status ' + kind;
  }

  function say(text) {
    view.message.textContent = text;
    clearTimeout(messageTimer);
    messageTimer = setTimeout(() => { view.message.textContent = ''; }, 4000);
  }

  function setButtons(state) {
    view.correct.disabled = !(state && state.correct);
    view.skip.disabled = !(state && state.skip);
    view.foul.disabled = !(state && state.foul);
    view.start.disabled = !(state && state.start);
  }

  function wordText(state) {
    switch (state.line) {
      case 'word': return state.word;
      case 'exhaustion': return '词库清零';
      case 'finalScore': return state.score + ' 分';
      default: return state.phase === 'closed' ? '本轮已退出' : '按“开始”开始一轮';
    }
  }

  function showFlash(state) {
    let text = '';
    let kind = '';
    if (state.gained > 0) { text = '+' + state.gained; kind = 'gain'; }
    if (state.gained < 0) { text = state.gained + ' 分'; kind = 'loss'; }
    if (state.penalty) { text = '-' + state.penalty + ' 秒'; kind = 'loss'; }
    if (!text) return;
    view.flash.textContent = text;
    view.flash.className = 'flash ' + kind;
    clearTimeout(flashTimer);
    flashTimer = setTimeout(() => { view.flash.textContent = ''; }, 800);
  }

  // A reviewed word as the big screen shows it: ✓ and its points when it
  // counts as guessed, ✗ and what happened to it otherwise.
  function reviewText(line) {
    if (line.verdict === 'correct') return '✓ ' + line.word + '  +' + line.points;
    const fates = { skipped: '（跳过）', foul: '（犯规）' };
    return '✗ ' + line.word + (fates[line.verdict] || '（没猜出）');
  }

  function showReview(review) {
    view.review.hidden = !review;
    view.reviewLines.replaceChildren();
    if (!review) return;
    review.lines.forEach((line, index) => {
      const item = document.createElement('li');
      const toggle = document.createElement('button');
      toggle.type = 'button';
      toggle.className = 'review-line' + (line.verdict === 'correct' ? ' counted' : '');
      toggle.textContent = reviewText(line);
      toggle.addEventListener('click', () => send({ cmd: 'toggle', entry: index }));
      item.appendChild(toggle);
      view.reviewLines.appendChild(item);
    });
    view.reviewTotal.textContent = '合计 ' + review.total + ' 分，跳过 ' + review.skips + ' 次';
    // Only a round closed before its time asks whether it counts.
    view.counts.hidden = !review.closedEarly;
    view.counts.className = 'review-line' + (review.counts ? ' counted' : '');
    view.counts.textContent = review.counts ? '✓ 提前结束的这一轮计入比赛' : '✗ 提前结束的这一轮不计入比赛';
  }

  // The game's answer to a word typed here, as plain text like every word.
  function showTonightAnswer(answer) {
    view.tonightAnswer.textContent = answer.text;
    view.tonightAnswer.className = 'tonight-answer ' + (answer.added ? 'added' : 'refused');
    if (answer.added) {
      view.tonightWord.value = '';
      view.tonightForbidden.value = '';
    }
  }

  // A colour is only ever "#RRGGBB"; anything else draws no mark.
  function colourOf(value) {
    return typeof value === 'string' && /^#[0-9A-Fa-f]{6}$/.test(value) ? value : '';
  }

  // A team's name as text, after a mark of its colour.
  function showTeam(element, text, colour) {
    const parts = [];
    const shade = colourOf(colour);
    if (text && shade) {
      const mark = document.createElement('span');
      mark.className = 'mark';
      mark.style.backgroundColor = shade;
      mark.setAttribute('aria-hidden', 'true');
      parts.push(mark);
    }
    parts.push(document.createTextNode(text));
    element.replaceChildren(...parts);
  }

  function teamLine(state) {
    if (state.phase === 'running' || state.phase === 'card' || state.review) {
      return state.team ? { text: '本轮：' + state.team, colour: state.teamColour } : null;
    }
    return state.nextTeam ? { text: '下一队：' + state.nextTeam, colour: state.nextTeamColour } : null;
  }

  // The rule card as the big screen shows it, with its 3-2-1; "开始" below
  // it ends the count at once.
  function showCard(card) {
    view.rule.hidden = !card;
    view.shown.hidden = !!card;
    if (!card) return;
    showTeam(view.ruleTeam, card.team || '', card.teamColour);
    view.ruleTeam.hidden = !card.team;
    view.ruleActor.hidden = !card.actor;
    view.ruleActor.textContent = card.actor ? '表演：' + card.actor : '';
    view.ruleStage.hidden = !card.stage;
    view.ruleStage.textContent = card.stage || '';
    view.ruleKind.textContent = card.kind;
    view.ruleText.textContent = card.rule;
    view.ruleCount.textContent = String(card.seconds);
  }

  function showState(state) {
    const team = teamLine(state);
    view.team.hidden = !team;
    showTeam(view.team, team ? team.text : '', team ? team.colour : '');
    view.time.textContent = threeDigits(state.seconds);
    view.score.textContent = threeDigits(state.score);
    view.skips.textContent = String(state.skips);
    view.word.textContent = wordText(state);
    view.points.textContent = state.line === 'word' && state.points !== null ? state.points + ' 分' : '';
    const forbidden = state.line === 'word' && Array.isArray(state.forbidden) ? state.forbidden : [];
    view.forbidden.hidden = forbidden.length === 0;
    view.forbidden.textContent = forbidden.length ? '禁：' + forbidden.join(' · ') : '';
    view.foul.hidden = !state.forbiddenMode;
    view.start.hidden = state.phase === 'running';
    setButtons(state);
    // The game greys 跳过 out; the page only says why.
    const reason = !state.skip && state.skipCap && typeof state.skipReason === 'string' ? state.skipReason : '';
    view.skipReason.hidden = !reason;
    view.skipReason.textContent = reason;
    showCard(state.card);
    showFlash(state);
    showReview(state.review);
    // Hidden while a round runs: the describer's phone shows the room nothing.
    view.tonight.hidden = !state.tonight;
    document.body.dataset.phase = state.phase;
    document.body.dataset.busy = state.busy ? 'yes' : 'no';
  }

  function receive(event) {
    lastHeard = Date.now();
    let message;
    try {
      message = JSON.parse(event.data);
    } catch (notJson) {
      return;
    }
    if (message.type === 'state') showState(message);
    else if (message.type === 'error') say(message.text);
    else if (message.type === 'tonight') showTonightAnswer(message);
  }

  function send(command) {
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(command));
  }

  function retryLater() {
    clearTimeout(retryTimer);
    retryTimer = setTimeout(connect, retryDelay);
    retryDelay = Math.min(retryDelay * 2, LAST_RETRY_MS);
  }

  function giveUp(text, offerRetry) {
    gaveUp = true;
    setStatus('未连接', 'refused');
    say(text);
    clearTimeout(messageTimer);
    view.reconnect.hidden = !offerRetry;
  }

  // A handshake the game refuses looks like any failed one: the page asks
  // for itself to learn whether its key is still the game's (403 when the
  // remote was switched off and on again since the code was scanned).
  function retryUnlessStale() {
    fetch(location.pathname, { cache: 'no-store' }).then((answer) => {
      if (answer.status === 403) giveUp(STALE_KEY_TEXT, false);
      else retryLater();
    }, retryLater);
  }

  function lost(ws, event) {
    if (socket !== ws) return;
    socket = null;
    setButtons(null);
    const reason = event && event.reason ? event.reason : '';
    if (event && event.code === STALE_KEY) {
      giveUp(STALE_KEY_TEXT, false);
      return;
    }
    if (event && event.code === TOO_MANY_PHONES) {
      giveUp(reason, true);
      return;
    }
    setStatus('正在重新连接…', 'offline');
    if (reason) say(reason);
    retryUnlessStale();
  }

  function connect() {
    clearTimeout(retryTimer);
    gaveUp = false;
    view.reconnect.hidden = true;
    setStatus('正在连接…', 'connecting');
    const ws = new WebSocket(socketUrl);
    socket = ws;
    ws.onopen = () => {
      lastHeard = Date.now();
      retryDelay = FIRST_RETRY_MS;
      setStatus('已连接', 'online');
    };
    ws.onmessage = receive;
    ws.onclose = (event) => lost(ws, event);
  }

  function watch() {
    if (!socket) return;
    if (socket.readyState === WebSocket.OPEN && Date.now() - lastHeard > SILENCE_MS) {
      const dead = socket;
      lost(dead, null);
      dead.onclose = null;
      dead.close();
      return;
    }
    send({ cmd: 'ping' });
  }

  view.correct.addEventListener('click', () => send({ cmd: 'correct' }));
  view.skip.addEventListener('click', () => send({ cmd: 'skip' }));
  view.foul.addEventListener('click', () => send({ cmd: 'foul' }));
  view.start.addEventListener('click', () => send({ cmd: 'start' }));
  view.confirm.addEventListener('click', () => send({ cmd: 'confirm' }));
  view.counts.addEventListener('click', () => {
    send({ cmd: 'counts', counts: !view.counts.classList.contains('counted') });
  });
  view.reconnect.addEventListener('click', connect);
  view.tonightForm.addEventListener('submit', (event) => {
    event.preventDefault();
    send({
      cmd: 'add',
      word: view.tonightWord.value,
      points: Number(view.tonightPoints.value),
      forbidden: view.tonightForbidden.value,
    });
  });
  // A phone coming back from its lock screen reconnects at once.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible' && !socket && !gaveUp) connect();
  });
  setInterval(watch, PING_EVERY_MS);
  connect();
}());
