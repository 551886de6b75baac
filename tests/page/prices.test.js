'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openPage } = require('./harness');

let env;
let page;
test.before(async () => {
  env = await launch();
  page = await openPage(env);
});
test.after(async () => { await env.close(); });
test.beforeEach(async () => {
  await page.reload();
  await page.waitForFunction(() => window.CopyTable && document.readyState === 'complete');
});

test('price fields take digits only: letters, point, minus and blanks are blocked', async () => {
  const cases = [
    ['1.5', '15'],
    ['abc-.9 x', '9'],
    ['-120', '120'],
    ['0123456789', '0123456789'],
  ];
  for (const [typed, kept] of cases) {
    await page.fill('#Text9', '');
    await page.type('#Text9', typed);
    assert.equal(await page.inputValue('#Text9'), kept, typed);
  }
});

test('editing keys still work in a price field', async () => {
  await page.type('#Text9', '1234');
  await page.press('#Text9', 'Backspace');
  await page.press('#Text9', 'ArrowLeft');
  await page.press('#Text9', 'Delete');
  assert.equal(await page.inputValue('#Text9'), '12');
  await page.press('#Text9', 'Tab');
  assert.equal(await page.evaluate(() => document.activeElement.name), 'txtPlace0');
});

test('the model and total fields are not filtered', async () => {
  await page.type('input[name="txtPlace"]', 'i5-3470 3.2G');
  assert.equal(await page.inputValue('input[name="txtPlace"]'), 'i5-3470 3.2G');
  await page.type('#pTol', 'ab.-1');
  assert.equal(await page.inputValue('#pTol'), 'ab.-1');
});

test('Enter recomputes the total, typing alone does not', async () => {
  await page.type('#Text9', '1500');
  assert.equal(await page.inputValue('#pTol'), '');
  await page.press('#Text9', 'Enter');
  assert.equal(await page.inputValue('#pTol'), '1500元');
  await page.type('#Text22', '2000');
  assert.equal(await page.inputValue('#pTol'), '1500元');
  await page.press('#Text22', 'Enter');
  assert.equal(await page.inputValue('#pTol'), '3500元');
  // Enter is not blocked: the field keeps its text.
  assert.equal(await page.inputValue('#Text22'), '2000');
});

test('leaving a changed price field recomputes the total', async () => {
  await page.type('#Text12', '3000');
  await page.type('#Text13', '500');
  await page.click('input[name="txtPlace"]');
  assert.equal(await page.inputValue('#pTol'), '3500元');
  // Leaving a field whose value did not change leaves a hand-edited total alone.
  await page.fill('#pTol', 'x');
  await page.click('#Text12');
  await page.click('input[name="txtPlace"]');
  assert.equal(await page.inputValue('#pTol'), 'x');
});

test('totals: leading zeros, blanks, empty fields and pasted text', async () => {
  const cases = [
    [{ Text9: '007' }, '7元'],
    [{ Text9: '007', Text10: '0010' }, '17元'],
    [{}, '0元'],
    [{ Text9: ' 12 ', Text10: '8' }, '20元'],
    [{ Text9: '99999999', Text22: '1' }, '100000000元'],
    [{ Text9: '12abc' }, 'NaN元'],
  ];
  for (const [values, total] of cases) {
    // Pasted text is not filtered, so set the values the way a paste would.
    await page.evaluate((v) => {
      for (let i = 9; i <= 22; i++) document.getElementById(`Text${i}`).value = v[`Text${i}`] || '';
    }, values);
    await page.press('#Text9', 'Enter');
    assert.equal(await page.inputValue('#pTol'), total, JSON.stringify(values));
  }
  assert.equal(await page.inputValue('#Text9'), '12abc');
});

test('pasting into a price field is not filtered', async () => {
  await page.focus('#Text9');
  await page.keyboard.insertText('1.5');
  assert.equal(await page.inputValue('#Text9'), '1.5');
  await page.press('#Text9', 'Enter');
  assert.equal(await page.inputValue('#pTol'), '1.5元');
});

test('suggestions write their inserted text into the model field', async () => {
  const cases = [
    ['#Select4', '日立', 'txtPlace2', '日立 500G'],
    ['#Select4', '希捷 500G', 'txtPlace2', '希捷 500G'],
    ['#Select9', '长城 400W', 'txtPlace7', '长城  400W'],
    ['#Select9', '航嘉 400W', 'txtPlace7', '航嘉  400W'],
    ['#Select1', 'AMD', 'txtPlace', 'AMD'],
  ];
  for (const [list, shown, field, inserted] of cases) {
    await page.fill(`input[name="${field}"]`, 'typed before');
    await page.selectOption(list, { label: shown });
    assert.equal(await page.inputValue(`input[name="${field}"]`), inserted, shown);
  }
  // Other rows stay as they were.
  assert.equal(await page.inputValue('input[name="txtPlace0"]'), '');
});

test('the empty suggestion clears the model field, which stays editable', async () => {
  await page.type('#Text9', '899');
  await page.press('#Text9', 'Enter');
  await page.selectOption('#Select1', 'AMD');
  await page.press('input[name="txtPlace"]', 'End');
  await page.keyboard.type(' 翼龙');
  assert.equal(await page.inputValue('input[name="txtPlace"]'), 'AMD 翼龙');
  await page.selectOption('#Select1', '');
  assert.equal(await page.inputValue('input[name="txtPlace"]'), '');
  // Choosing does not recompute the total.
  await page.fill('#Text9', '1');
  await page.selectOption('#Select1', 'AMD');
  assert.equal(await page.inputValue('#pTol'), '899元');
});
