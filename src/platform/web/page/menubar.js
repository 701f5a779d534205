// The menu bar from the core's table, as the WAI-ARIA menubar pattern has it: the mouse, touch
// and the keyboard (F10 or Alt to reach it, the arrows, Home and End, Enter or Space to pick,
// Escape to leave), check marks and greyed items read from the core when a menu opens.

const roleOfMark = { radio: 'menuitemradio', check: 'menuitemcheckbox', '': 'menuitem' };
// The keys the menus show, as aria-keyshortcuts names them.
const keyNames = { '→': 'ArrowRight', '←': 'ArrowLeft', '↑': 'ArrowUp', '↓': 'ArrowDown' };

export class MenuBar {
  // `table`: the core's pop-ups; `state(id)`: {checked, available}; `run(id)`: picks an item;
  // `leave()`: gives the keyboard back to the exercise.
  constructor(element, table, { state, run, leave }) {
    this.bar = element;
    this.state = state;
    this.run = run;
    this.leave = leave;
    this.tops = [];
    this.open = -1;
    for (const popup of table) this.addPopup(popup);
    this.tops.forEach((top, index) => { top.button.tabIndex = index === 0 ? 0 : -1; });
    document.addEventListener('pointerdown', (event) => {
      if (this.open >= 0 && !this.bar.contains(event.target)) this.close(false);
    });
  }

  addPopup(popup) {
    const index = this.tops.length;
    const li = document.createElement('li');
    li.setAttribute('role', 'none');
    const button = document.createElement('button');
    button.type = 'button';
    button.setAttribute('role', 'menuitem');
    button.setAttribute('aria-haspopup', 'menu');
    button.setAttribute('aria-expanded', 'false');
    button.textContent = popup.label;
    const menu = document.createElement('ul');
    menu.setAttribute('role', 'menu');
    menu.setAttribute('aria-label', popup.label);
    menu.hidden = true;
    const items = [];
    for (const item of popup.items) {
      if (item.separator) {
        const separator = document.createElement('li');
        separator.setAttribute('role', 'separator');
        menu.append(separator);
      }
      const itemLi = document.createElement('li');
      itemLi.setAttribute('role', 'none');
      const itemButton = document.createElement('button');
      itemButton.type = 'button';
      itemButton.tabIndex = -1;
      itemButton.setAttribute('role', roleOfMark[item.mark] ?? 'menuitem');
      itemButton.dataset.id = String(item.id);
      const label = document.createElement('span');
      label.textContent = item.label;
      itemButton.append(label);
      if (item.shortcut) {
        const key = document.createElement('span');
        key.className = 'key';
        key.textContent = item.shortcut;
        key.setAttribute('aria-hidden', 'true');
        itemButton.append(key);
        itemButton.setAttribute('aria-keyshortcuts', keyNames[item.shortcut] ?? item.shortcut);
      }
      itemButton.addEventListener('click', () => this.pick(item.id, itemButton));
      itemButton.addEventListener('pointerenter', (event) => {
        if (event.pointerType === 'mouse') itemButton.focus();
      });
      itemButton.addEventListener('keydown', (event) => this.onItemKey(event, index, items.indexOf(itemButton)));
      itemLi.append(itemButton);
      menu.append(itemLi);
      items.push(itemButton);
    }
    button.addEventListener('click', () => {
      if (this.open === index) {
        this.close(false);
      } else {
        this.show(index, null);
      }
    });
    button.addEventListener('pointerenter', (event) => {
      if (this.open >= 0 && this.open !== index && event.pointerType === 'mouse') this.show(index, null);
    });
    button.addEventListener('keydown', (event) => this.onTopKey(event, index));
    li.append(button, menu);
    this.bar.append(li);
    this.tops.push({ button, menu, items });
  }

  // Moves the keyboard to the bar's first pop-up, or back to the exercise when it is there.
  toggleFocus() {
    if (this.bar.contains(document.activeElement)) {
      this.close(true);
    } else {
      this.focusTop(0);
    }
  }

  focusTop(index) {
    this.tops.forEach((top, at) => { top.button.tabIndex = at === index ? 0 : -1; });
    this.tops[index].button.focus();
  }

  // Opens pop-up `index`, its items' marks and states fresh from the core; `focus` is 'first',
  // 'last' or null (the mouse keeps the focus where it is).
  show(index, focus) {
    if (this.open >= 0 && this.open !== index) this.hide(this.open);
    const top = this.tops[index];
    for (const item of top.items) {
      const { checked, available } = this.state(Number(item.dataset.id));
      if (item.getAttribute('role') !== 'menuitem') item.setAttribute('aria-checked', checked ? 'true' : 'false');
      item.setAttribute('aria-disabled', available ? 'false' : 'true');
    }
    top.menu.hidden = false;
    top.button.setAttribute('aria-expanded', 'true');
    this.open = index;
    this.tops.forEach((other, at) => { other.button.tabIndex = at === index ? 0 : -1; });
    if (focus === 'first') top.items[0]?.focus();
    if (focus === 'last') top.items[top.items.length - 1]?.focus();
    if (focus === null && !this.bar.contains(document.activeElement)) top.button.focus();
  }

  hide(index) {
    const top = this.tops[index];
    top.menu.hidden = true;
    top.button.setAttribute('aria-expanded', 'false');
    if (this.open === index) this.open = -1;
  }

  // Closes the open pop-up; `toExercise` gives the keyboard back to the exercise as well.
  close(toExercise) {
    if (this.open >= 0) this.hide(this.open);
    if (toExercise) this.leave();
  }

  pick(id, item) {
    if (item.getAttribute('aria-disabled') === 'true') return;
    this.close(true);
    this.run(id);
  }

  onTopKey(event, index) {
    const count = this.tops.length;
    const moveTo = (next) => {
      const wasOpen = this.open >= 0;
      this.close(false);
      this.focusTop(next);
      if (wasOpen) this.show(next, null);
    };
    switch (event.key) {
      case 'ArrowRight': moveTo((index + 1) % count); break;
      case 'ArrowLeft': moveTo((index + count - 1) % count); break;
      case 'Home': moveTo(0); break;
      case 'End': moveTo(count - 1); break;
      case 'ArrowDown': case 'Enter': case ' ': this.show(index, 'first'); break;
      case 'ArrowUp': this.show(index, 'last'); break;
      case 'Escape': case 'F10': this.close(true); break;
      case 'Tab': this.close(false); return;
      default: return;
    }
    event.preventDefault();
    event.stopPropagation();
  }

  onItemKey(event, index, position) {
    const items = this.tops[index].items;
    const count = this.tops.length;
    switch (event.key) {
      case 'ArrowDown': items[(position + 1) % items.length].focus(); break;
      case 'ArrowUp': items[(position + items.length - 1) % items.length].focus(); break;
      case 'Home': items[0].focus(); break;
      case 'End': items[items.length - 1].focus(); break;
      case 'ArrowRight': this.focusTop((index + 1) % count); this.show((index + 1) % count, 'first'); break;
      case 'ArrowLeft': this.focusTop((index + count - 1) % count); this.show((index + count - 1) % count, 'first'); break;
      case 'Enter': case ' ': this.pick(Number(items[position].dataset.id), items[position]); break;
      case 'Escape': this.hide(index); this.focusTop(index); break;
      case 'F10': this.close(true); break;
      case 'Tab': this.close(true); break;
      default: return;
    }
    event.preventDefault();
    event.stopPropagation();
  }
}
