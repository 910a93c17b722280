// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, x);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input [3:0] b;
   input c;
   output x;
   reg [3:0] r;
   wire [3:0] _u_a;
   wire _u_y;
   wire _u_f;
   wire [3:0] _v_a;
   wire _v_y;
   wire _v_f;
   wire _st_run;
   reg _st_on_reg;
   wire _st_on;
   cmp u(.m_clock(m_clock), .p_reset(p_reset), .a(_u_a), .y(_u_y), .f(_u_f));
   cmp v(.m_clock(m_clock), .p_reset(p_reset), .a(_v_a), .y(_v_y), .f(_v_f));

   assign x = ((((_u_y|_v_y)))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 4'b0;
      else if ((((c)))) r <= a;
      else if ((((~(c))))) r <= b;
      else if (((_st_on))) r <= (r+4'h1);
   end

   assign _u_a = a;

   assign _u_f = 1'b1;

   assign _v_a = b;

   assign _v_f = 1'b1;

   assign _st_run = ((((c)))?1'b1:1'b0)|
   ((((~(c))))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _st_on_reg <= 1'b0;
      else if (((_st_run))) _st_on_reg <= 1'b1;
      else if (((_st_on))) _st_on_reg <= 1'b0;
   end

   assign _st_on = _st_on_reg;
endmodule
