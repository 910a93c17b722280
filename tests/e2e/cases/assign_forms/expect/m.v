// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, o, z);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input [3:0] b;
   input [3:0] c;
   output [3:0] o;
   output [3:0] z;
   reg [3:0] r;
   wire [3:0] p;
   wire [3:0] q;
   wire f;
   wire g;
   wire [3:0] _u1_a;
   wire [3:0] _u1_b;
   wire [3:0] _u1_s;
   wire _u1_add;
   ADD u1(.m_clock(m_clock), .p_reset(p_reset), .a(_u1_a), .b(_u1_b), .s(_u1_s), .add(_u1_add));

   assign o = a;

   assign z = (_u1_s&c);

   always @(posedge m_clock) begin
      r <= b;
   end

   assign p = ((1'b1)?a:4'b0)|
   ((((c==a)))?c:4'b0);

   assign q = b;

   assign f = ((1'b1)?1'b1:1'b0)|
   ((((c==a)))?1'b1:1'b0);

   assign g = 1'b1;

   assign _u1_a = ((1'b1)?a:4'b0)|
   ((1'b1)?c:4'b0)|
   ((1'b1)?b:4'b0);

   assign _u1_b = ((1'b1)?b:4'b0)|
   ((1'b1)?c:4'b0);

   assign _u1_add = ((1'b1)?1'b1:1'b0)|
   ((1'b1)?1'b1:1'b0);
endmodule
