// WebKitGTK's MiniBrowser under WebKitWebDriver (W3C WebDriver over HTTP), on an Xvfb display
// of its own, behind the few calls of puppeteer's Page that the cases make. WebDriver drives one
// window: the browser's one page is that window, and closing it leaves the page (pagehide and
// all) for a blank one, where the next page opens.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';

// Debian's webkit2gtk-driver brings it, under the machine's own library folder.
const MINIBROWSER = fs.readdirSync('/usr/lib').map(folder => `/usr/lib/${folder}/webkit2gtk-4.1/MiniBrowser`)
  .find(file => fs.existsSync(file));
const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';
// WebDriver's codes for the keys the cases press (the rest are their own characters).
const KEYS = {Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Shift: '\uE008', Control: '\uE009',
  Alt: '\uE00A', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015',
  Space: ' ', F1: '\uE031', F5: '\uE035', F11: '\uE03B'};
// Puppeteer's names of a letter's and a digit's keys (KeyM, Digit1) are their characters.
const key = name => KEYS[name] ?? name.replace(/^Key([A-Z])$/, (_, letter) => letter.toLowerCase())
  .replace(/^Digit(\d)$/, '$1');

function freePort() {
  const server = net.createServer();
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => {
    const {port} = server.address();
    server.close(() => resolve(port));
  }));
}

// Xvfb picks a free display and says which.
function startDisplay() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1600x1200x24', '-nolisten', 'tcp'],
    {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  return new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', text => resolve({xvfb, display: `:${String(text).trim()}`}));
    xvfb.once('exit', () => reject(new Error('Xvfb ended')));
  });
}

async function waitForDriver(base, driver) {
  for (let tries = 0; tries < 100; tries++) {
    if (driver.exitCode !== null) throw new Error('WebKitWebDriver ended');
    try {
      if ((await fetch(`${base}/status`)).ok) return;
    } catch {
      // not listening yet
    }
    await new Promise(resolve => setTimeout(resolve, 100));
  }
  throw new Error('WebKitWebDriver never answered');
}

// A function with its arguments, or an expression as puppeteer takes a string.
function script(fn, args) {
  return {script: typeof fn === 'string' ? `return ${fn};` : `return (${fn}).apply(null, arguments);`, args};
}

class WebKitPage {
  constructor(session) {
    this.session = session;
    this.open = false;
    this.keyboard = {
      down: name => this.keys([{type: 'keyDown', value: key(name)}]),
      up: name => this.keys([{type: 'keyUp', value: key(name)}]),
      press: name => this.keys([{type: 'keyDown', value: key(name)}, {type: 'keyUp', value: key(name)}]),
      type: text => this.keys([...text].flatMap(char => [{type: 'keyDown', value: char}, {type: 'keyUp', value: char}])),
    };
    this.mouse = {
      move: (x, y) => this.pointer([{type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport'}]),
      click: (x, y) => this.pointer([{type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport'},
        {type: 'pointerDown', button: 0}, {type: 'pointerUp', button: 0}]),
    };
  }

  command(method, path, body) {
    return this.session.command(method, path, body);
  }

  keys(actions) {
    return this.command('POST', '/actions', {actions: [{type: 'key', id: 'keys', actions}]});
  }

  pointer(actions) {
    return this.command('POST', '/actions', {actions: [{type: 'pointer', id: 'mouse',
      parameters: {pointerType: 'mouse'}, actions}]});
  }

  goto(url) {
    return this.command('POST', '/url', {url});
  }

  reload() {
    return this.command('POST', '/refresh', {});
  }

  url() {
    return this.command('GET', '/url');
  }

  evaluate(fn, ...args) {
    return this.command('POST', '/execute/sync', script(fn, args));
  }

  $eval(selector, fn, ...args) {
    return this.command('POST', '/execute/sync', {args,
      script: `return (${fn})(document.querySelector(${JSON.stringify(selector)}), ...arguments);`});
  }

  $$eval(selector, fn, ...args) {
    return this.command('POST', '/execute/sync', {args,
      script: `return (${fn})(Array.from(document.querySelectorAll(${JSON.stringify(selector)})), ...arguments);`});
  }

  async $(selector) {
    const found = await this.command('POST', '/elements', {using: 'css selector', value: selector});
    return found.length ? {uploadFile: file => this.command('POST', `/element/${found[0][ELEMENT]}/value`,
      {text: file})} : null;
  }

  async click(selector) {
    const {[ELEMENT]: id} = await this.command('POST', '/element', {using: 'css selector', value: selector});
    await this.command('POST', `/element/${id}/click`, {});
  }

  async type(selector, text) {
    await this.click(selector);
    await this.keyboard.type(text);
  }

  async waitForFunction(fn, options, ...args) {
    const deadline = Date.now() + 30000;
    while (!await this.evaluate(fn, ...args)) {
      if (Date.now() > deadline) throw new Error(`never true: ${fn}`);
      await new Promise(resolve => setTimeout(resolve, 50));
    }
  }

  waitForSelector(selector) {
    return this.waitForFunction(wanted => document.querySelector(wanted) !== null, {}, selector);
  }

  // The window made as large as the page should be inside it.
  async setViewport({width, height}) {
    const inner = () => this.evaluate(() => [innerWidth, innerHeight]);
    for (let tries = 0; tries < 3; tries++) {
      const [shownWidth, shownHeight] = await inner();
      if (shownWidth === width && shownHeight === height) return;
      const rect = await this.command('GET', '/window/rect');
      await this.command('POST', '/window/rect',
        {width: rect.width + width - shownWidth, height: rect.height + height - shownHeight});
    }
  }

  async close() {
    await this.goto('about:blank');
    this.open = false;
  }
}

export async function launchWebKit() {
  const {xvfb, display} = await startDisplay();
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`],
    {stdio: 'ignore', env: {...process.env, DISPLAY: display}});
  const base = `http://127.0.0.1:${port}`;
  const stop = () => {
    driver.kill();
    xvfb.kill();
  };
  try {
    await waitForDriver(base, driver);
    const response = await fetch(`${base}/session`, {method: 'POST', body: JSON.stringify({capabilities: {
      alwaysMatch: {'webkitgtk:browserOptions': {binary: MINIBROWSER, args: ['--automation']}}}})});
    const {value} = await response.json();
    if (!value.sessionId) throw new Error(`no WebKit session: ${JSON.stringify(value)}`);
    const session = {
      async command(method, path, body) {
        const answer = await fetch(`${base}/session/${value.sessionId}${path}`,
          {method, body: body === undefined ? undefined : JSON.stringify(body)});
        const result = (await answer.json()).value;
        if (!answer.ok) throw new Error(`WebDriver ${path}: ${result.error}: ${result.message}`);
        return result;
      },
    };
    const page = new WebKitPage(session);
    return {
      async newPage() {
        if (page.open) throw new Error('WebKitWebDriver cannot open a second window');
        page.open = true;
        await page.setViewport({width: 800, height: 600});
        return page;
      },
      async close() {
        await fetch(`${base}/session/${value.sessionId}`, {method: 'DELETE'}).catch(() => {});
        stop();
      },
    };
  } catch (error) {
    stop();
    throw error;
  }
}
